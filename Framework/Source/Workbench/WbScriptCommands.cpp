// The script commands of the runner itself: work items, work spaces, the user's clicks, data
// keys, services, the dump and the end.
#include "NUVHostObjects.h"
#include "WbDump.h"
#include "WbScript.h"
#include "WbServices.h"

namespace {

using TWorkSpaceOperation = void (INUVWorkSpace::*)(INUVViewPart*);

TWbScriptCommand WorkSpaceCommand(TWorkSpaceOperation operation) {
  return {{"WS", "VP"}, [operation](TWbScriptContext& context, const TWbScriptArgs& args) {
            auto workSpace = context.App.WorkSpace(args[0]);
            INUVViewPart& child = context.App.ViewPart(args[1]);
            ((*workSpace).*operation)(&child);
          }};
}

TWbScriptCommand ControlCommand(const std::function<void(TControl&)>& gesture) {
  return {{"VP"},
          [gesture](TWbScriptContext& context, const TWbScriptArgs& args) { gesture(context.App.ControlOf(args[0])); }};
}

// The first work item, in document order, whose data context has the key.
TIntfPtr<INUVDataContext> ContextOfKey(TWbApplication& app, const std::string& key) {
  for (auto& context : app.DataContexts())
    if (context->FindDelegate(key)) return context;
  throw EDataKeyError("data key '" + key + "' is not registered in any work item");
}

void SetValue(TWbScriptContext& context, const TWbScriptArgs& args) {
  auto data = ContextOfKey(context.App, args[0]);
  data->WriteValue(args[0], TextToValue(args[1], data->FindDelegate(args[0])->GetDataType()));
}

void GetValue(TWbScriptContext& context, const TWbScriptArgs& args) {
  context.Out.Emit(ValueEventJson(args[0], ContextOfKey(context.App, args[0])->ReadValue(args[0])));
}

void Dump(TWbScriptContext& context, const TWbScriptArgs&) {
  TWbJson event = NewEvent("dump");
  event["window"] = context.App.WindowJson();
  context.Out.Emit(event);
}

const TWbScriptCommandRegistration Registration{
    {"run", {{"WI"}, [](TWbScriptContext& c, const TWbScriptArgs& a) { c.App.Run(a[0]); }}},
    {"stop", {{"WI"}, [](TWbScriptContext& c, const TWbScriptArgs& a) { c.App.Stop(a[0]); }}},
    {"show", WorkSpaceCommand(&INUVWorkSpace::ShowViewPart)},
    {"hide", WorkSpaceCommand(&INUVWorkSpace::HideViewPart)},
    {"close", WorkSpaceCommand(&INUVWorkSpace::CloseViewPart)},
    {"activate", WorkSpaceCommand(&INUVWorkSpace::ActivateViewPart)},
    {"click", ControlCommand([](TControl& control) { control.Click(); })},
    {"dblclick", ControlCommand([](TControl& control) { control.DblClick(); })},
    {"popup", ControlCommand([](TControl& control) {
       bool handled = false;
       control.ContextPopup(TPoint{}, handled);
     })},
    {"set", {{"KEY", "VALUE"}, SetValue}},
    {"get", {{"KEY"}, GetValue}},
    {"service",
     {{"ID"},
      [](TWbScriptContext& c, const TWbScriptArgs& a) { c.Out.Emit(ServiceEventJson(c.App.Services(), a[0])); }}},
    {"dump", {{}, Dump}},
    {"finalize", {{"VP"}, [](TWbScriptContext& c, const TWbScriptArgs& a) { c.App.Finalize(a[0]); }}},
    {"quit", {{}, [](TWbScriptContext& c, const TWbScriptArgs&) { c.QuitRequested = true; }}},
};

}  // namespace
