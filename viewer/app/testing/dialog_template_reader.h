// Test support: reads a dialog template (the classic DLGTEMPLATE layout) of
// the running executable's resources, so tests can hold a template against
// the table it was written from.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace corvane {

struct TemplateControl {
  int id = 0;
  std::string
      className;     // "Button", "Edit", "Static", "ListBox", "ComboBox" or the registered name
  std::string text;  // "#128" for a resource ordinal
  DWORD style = 0;
  DWORD exStyle = 0;
  int x = 0, y = 0, cx = 0, cy = 0;
};

struct DialogTemplate {
  DWORD style = 0;
  DWORD exStyle = 0;
  int x = 0, y = 0, cx = 0, cy = 0;
  std::string caption;
  int fontSize = 0;
  std::string font;
  std::vector<TemplateControl> controls;
};

// nullopt when the resource is missing or uses the extended layout.
std::optional<DialogTemplate> ReadDialogTemplate(int id);

}  // namespace corvane
