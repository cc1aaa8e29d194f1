#include "launcher/launcher_texts.h"

namespace corvane {
namespace {

constexpr char kReinstallAdvice[] = "Please re-install Corvane.";

// Appends "\n\n" and the part, when there is a part.
std::string& AppendParagraph(std::string& text, std::string_view part) {
  const std::string trimmed = WithoutTrailingBlanks(part);
  if (!trimmed.empty()) text += "\n\n" + trimmed;
  return text;
}

}  // namespace

std::string WithoutTrailingBlanks(std::string_view text) {
  size_t end = text.size();
  while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\t' || text[end - 1] == '\r' ||
                     text[end - 1] == '\n')) {
    --end;
  }
  return std::string(text.substr(0, end));
}

std::string LibraryLoadFailedText(std::string_view libraryPath, std::string_view systemText) {
  std::string text = "Corvane could not load its hook library:";
  AppendParagraph(text, libraryPath);
  AppendParagraph(text, systemText);
  return AppendParagraph(text, kReinstallAdvice);
}

std::string ExportMissingText(std::string_view libraryPath, std::string_view exportName) {
  std::string text = "The hook library";
  AppendParagraph(text, libraryPath);
  AppendParagraph(text, "lacks the function \"" + std::string(exportName) + "\".");
  return AppendParagraph(text, kReinstallAdvice);
}

std::string LibraryVersionDiffersText(std::string_view libraryPath, std::string_view libraryVersion,
                                      std::string_view ownVersion) {
  std::string text = "Corvane cannot use this hook library:";
  AppendParagraph(text, libraryPath);
  const std::string library = libraryVersion.empty()
                                  ? std::string("It carries no version")
                                  : "It is version " + std::string(libraryVersion);
  AppendParagraph(text, library + ", but this Corvane.exe is version " + std::string(ownVersion) +
                            ". Both must come from the same release.");
  return AppendParagraph(text, kReinstallAdvice);
}

std::string HookInstallFailedText(std::string_view systemText) {
  std::string text = "Corvane could not install its window hook.";
  return AppendParagraph(text, systemText);
}

std::string HostStartFailedText(std::string_view hostPath, std::string_view systemText) {
  std::string text = "Corvane could not start the messenger:";
  AppendParagraph(text, hostPath);
  return AppendParagraph(text, systemText);
}

std::string HostPathUnusableText(std::string_view hostPath) {
  std::string text = "Corvane cannot start the messenger. Its path, the AppPath setting,";
  text += hostPath.empty() ? std::string(" is empty.")
                           : " is\n\n" + std::string(hostPath) +
                                 "\n\nwhich is not the full path of a program on this computer.";
  return AppendParagraph(text, "Set the messenger's path (\"AIM:\") in the Corvane preferences.");
}

}  // namespace corvane
