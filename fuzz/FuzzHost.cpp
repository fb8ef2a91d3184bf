#include "FuzzHost.h"

void PrepareFuzzHost(TTestHost& host) {
  for (const char* id : {"File.Open", "File.Save", "Edit.Copy", "View.Refresh", "Help.About"})
    host.Actions().AddCommand({id, id, std::string(id) + " hint", std::string(id) + ".bmp", std::nullopt});
  host.Actions().AddCommand({"View.Toggle", "Toggle", "", "", false});
  auto values = host.WorkItem().GetNamedValues();
  values->SetStrValue("User", "Ann");
  values->SetStrValue("Empty", "");
  values->SetStrValue("Dollar", "$${User}");
}
