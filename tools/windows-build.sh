# Sourced by the tools that build or run the Windows programs ($root is the
# source tree): which Windows build runs on this machine.  What ships is
# 32-bit.  A kernel that runs no 32-bit programs (Linux's
# ia32_emulation=off) runs no 32-bit Wine either; there the same code, built
# for 64-bit Windows (the win64 preset), runs under Wine's 64-bit loader,
# so that it is still tested for real.
if "$root/tools/runs-32-bit-programs"; then
  windows_preset=win32
  windows_mingw=i686-w64-mingw32-
else
  windows_preset=win64
  windows_mingw=x86_64-w64-mingw32-
  case ":$PATH:" in
    *":$root/tools/wine64:"*) ;;
    *) PATH="$root/tools/wine64:$PATH" ;;
  esac
fi
export PATH CORVANE_BIN="$root/build/$windows_preset/bin" CORVANE_MINGW_PREFIX="$windows_mingw"
