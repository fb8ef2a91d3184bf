#include "TestHost.h"

TTestHost::TTestHost()
    : FWindow(std::make_unique<TWinControl>(nullptr)),
      FServices(MakeCounted<TNUVServiceCenter>()),
      FBroker(MakeCounted<TNUVEventBroker>()),
      FImages(MakeCounted<TNUVImageService>()) {
  FWindow->SetName("Window");
  FWindow->SetBounds(0, 0, 640, 480);
  FActions = MakeCounted<TNUVActionService>(FBroker, FImages);
  FServices->RegisterService(SImageServiceID, TIntfPtr<IInterface>(FImages.get()));
  FServices->RegisterService(SActionServiceID, TIntfPtr<IInterface>(FActions.get()));
  FWorkItem = MakeCounted<TNUVWorkItem>("Main", FWindow.get(), FServices, FBroker);
  FWorkItem->GetNamedValues()->SetIntValue("CurrentWorkBench", FWindow->GetHandle());
  FBroker->Subscribe([this](const TNUVEvent& e) {
    switch (e.Kind) {
      case ekTopic:
        FEvents.push_back("topic:" + e.Topic + ":" + e.SenderClass);
        break;
      case ekCommand:
        FEvents.push_back("command:" + e.CommandID);
        break;
      case ekClick:
        FEvents.push_back("click:" + e.ViewPart);
        break;
      case ekDblClick:
        FEvents.push_back("dblclick:" + e.ViewPart);
        break;
      case ekContextPopup:
        FEvents.push_back("popup:" + e.ViewPart);
        break;
      case ekFocus:
        FEvents.push_back("focus:" + e.ViewPart);
        break;
    }
  });
}

TTestHost::~TTestHost() = default;

void TTestHost::RemoveImageService() { FServices->UnregisterService(SImageServiceID); }

TIntfPtr<IQIMExtension> TTestHost::Extension(const std::string& name, const std::string& caption,
                                             const std::string& extDataXml) {
  TIntfPtr<IXMLNode> extData;
  if (!extDataXml.empty()) extData = LoadXMLDocument(extDataXml, name + ".xml");
  return MakeCounted<TNUVExtension>(name, caption, extData);
}

void TTestHost::Run(INUVViewPart& viewPart) {
  bool handled = false;
  viewPart.DoWorkItemRunning("", nullptr, handled);
}

void TTestHost::Stop(INUVViewPart& viewPart) {
  bool handled = false;
  viewPart.DoWorkItemStopping("", nullptr, handled);
}
