#include "launcher/hook_library.h"

#include "common/product_version.h"
#include "common/version_info.h"
#include "launcher/launcher_texts.h"
#include "launcher/message_boxes.h"

namespace corvane {
namespace {

template <typename Function>
bool BindExport(HMODULE module, const char* name, Function* slot) {
  *slot = reinterpret_cast<Function>(GetProcAddress(module, name));
  return *slot != nullptr;
}

// Returns the name of the first export that is missing, or nullptr.
const char* BindAllExports(HookLibrary* library) {
  HMODULE m = library->module;
  if (!BindExport(m, "_CBTProc@12", &library->cbtProc)) return "_CBTProc@12";
  if (!BindExport(m, "_Init@4", &library->init)) return "_Init@4";
  if (!BindExport(m, "_Shutdown@0", &library->shutdown)) return "_Shutdown@0";
  if (!BindExport(m, "GetAppPath", &library->getAppPath)) return "GetAppPath";
  if (!BindExport(m, "GetAllowCloning", &library->getAllowCloning)) return "GetAllowCloning";
  if (!BindExport(m, "SetCurDir", &library->setCurDir)) return "SetCurDir";
  if (!BindExport(m, "LoadSettingsFromReg", &library->loadSettingsFromReg)) {
    return "LoadSettingsFromReg";
  }
  if (!BindExport(m, "DoPrefDlg", &library->doPrefDlg)) return "DoPrefDlg";
  return nullptr;
}

}  // namespace

bool LoadHookLibrary(const std::string& path, HookLibrary* library, std::string* error) {
  library->module = LoadLibraryA(path.c_str());
  if (!library->module) {
    *error = LibraryLoadFailedText(path, SystemErrorText(GetLastError()));
    return false;
  }
  if (const char* missing = BindAllExports(library)) {
    *error = ExportMissingText(path, missing);
    return false;
  }
  return true;
}

bool LibraryVersionMatches(const std::string& path, std::string* error) {
  char found[kVersionTextCapacity] = "";
  GetVersionText(found, path.c_str());
  const std::string own = FormatVersionText(CORVANE_VERSION_MAJOR, CORVANE_VERSION_MINOR,
                                            CORVANE_VERSION_RELEASE, CORVANE_VERSION_BUILD);
  if (own == found) return true;
  *error = LibraryVersionDiffersText(path, found, own);
  return false;
}

}  // namespace corvane
