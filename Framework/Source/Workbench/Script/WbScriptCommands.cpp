// The script commands of the runner itself: work items, work spaces, the user's clicks, data
// keys, services, the dump and the end.
#include "WbScriptCommands.h"

#include "NUVHostObjects.h"
#include "WbDump.h"
#include "WbInventory.h"
#include "WbServices.h"

namespace {

using TWorkSpaceOperation = void (INUVWorkSpace::*)(INUVViewPart*);

void OnWorkSpace(TWbScriptContext& context, const TWbScriptArgs& args, TWorkSpaceOperation operation) {
  auto workSpace = context.App.WorkSpace(args[0]);
  INUVViewPart& child = context.App.ViewPart(args[1]);
  ((*workSpace).*operation)(&child);
  if (operation == &INUVWorkSpace::ShowViewPart) context.App.ShownIn(args[1], args[0]);
  if (operation == &INUVWorkSpace::CloseViewPart) context.App.ClosedIn(args[1], args[0]);
}

// The first work item, in document order, whose data context has the key.
TIntfPtr<INUVDataContext> ContextOfKey(TWbApplication& app, const std::string& key) {
  for (auto& context : app.DataContexts())
    if (context->FindDelegate(key)) return context;
  throw EDataKeyError("data key '" + key + "' is not registered in any work item" + app.UnknownKeyHint(key));
}

}  // namespace

void RunWorkItem(TWbScriptContext& context, const TWbScriptArgs& args) { context.App.Run(args[0]); }

void StopWorkItem(TWbScriptContext& context, const TWbScriptArgs& args) { context.App.Stop(args[0]); }

void ShowInWorkSpace(TWbScriptContext& context, const TWbScriptArgs& args) {
  OnWorkSpace(context, args, &INUVWorkSpace::ShowViewPart);
}

void HideInWorkSpace(TWbScriptContext& context, const TWbScriptArgs& args) {
  OnWorkSpace(context, args, &INUVWorkSpace::HideViewPart);
}

void CloseInWorkSpace(TWbScriptContext& context, const TWbScriptArgs& args) {
  OnWorkSpace(context, args, &INUVWorkSpace::CloseViewPart);
}

void ActivateInWorkSpace(TWbScriptContext& context, const TWbScriptArgs& args) {
  OnWorkSpace(context, args, &INUVWorkSpace::ActivateViewPart);
}

void ClickControl(TWbScriptContext& context, const TWbScriptArgs& args) {
  context.App.GestureControlOf(args[0]).Click();
}

void DblClickControl(TWbScriptContext& context, const TWbScriptArgs& args) {
  context.App.GestureControlOf(args[0]).DblClick();
}

void PopupControl(TWbScriptContext& context, const TWbScriptArgs& args) {
  bool handled = false;
  context.App.GestureControlOf(args[0]).ContextPopup(TPoint{}, handled);
}

void SetValue(TWbScriptContext& context, const TWbScriptArgs& args) {
  auto data = ContextOfKey(context.App, args[0]);
  TNUVValue value;
  try {
    value = TextToValue(args[1], data->FindDelegate(args[0])->GetDataType());
  } catch (const EConvertError& e) {
    throw EConvertError("data key '" + args[0] + "': " + e.Message());
  }
  data->WriteValue(args[0], value);
}

void GetValue(TWbScriptContext& context, const TWbScriptArgs& args) {
  context.Out.Emit(ValueEventJson(args[0], ContextOfKey(context.App, args[0])->ReadValue(args[0])));
}

void ReportService(TWbScriptContext& context, const TWbScriptArgs& args) {
  context.Out.Emit(ServiceEventJson(context.App.Services(), args[0]));
}

void ReportKeys(TWbScriptContext& context, const TWbScriptArgs&) {
  TWbJson event = NewEvent("keys");
  event.update(InventoryJson(context.App));
  context.Out.Emit(event);
}

void DumpWindow(TWbScriptContext& context, const TWbScriptArgs&) {
  TWbJson event = NewEvent("dump");
  event["window"] = context.App.WindowJson();
  context.Out.Emit(event);
}

void FinalizeViewPart(TWbScriptContext& context, const TWbScriptArgs& args) { context.App.Finalize(args[0]); }

void QuitScript(TWbScriptContext& context, const TWbScriptArgs&) { context.QuitRequested = true; }
