#include "BenchAppText.h"

#include <fmt/format.h>

namespace {

// Ten view parts, nine kinds; names are unique per block.
constexpr const char* KBlock = R"(  <WorkItem ID="W{0}">
    <Value Name="Title" Value="Block {0}"/>
    <ViewPart Name="Dock{0}" Factory="CreateToolbarDockViewPart">
      <ExtData><ToolbarDock><BoundLines>Bottom</BoundLines></ToolbarDock></ExtData>
    </ViewPart>
    <ViewPart Name="Bar{0}" Factory="CreateToolbarViewPart" Caption="${{Title}}" WorkSpace="Dock{0}">
      <ExtData>
        <Toolbar>
          <Item CommandID="File.Open" GroupIndex="1"/>
          <Item Caption="Save" GroupIndex="1"/>
          <Separator GroupIndex="6"/>
          <Item Caption="Format" GroupIndex="7"><Item Caption="Bold"/><Item Caption="Italic" GroupIndex="10"/></Item>
          <Item Caption="Help" GroupIndex="9"/>
        </Toolbar>
      </ExtData>
    </ViewPart>
    <ViewPart Name="Page{0}" Factory="CreateLabelViewPart" Caption="Page 1" WorkSpace="Bar{0}">
      <ExtData><GroupIndex>8</GroupIndex></ExtData>
    </ViewPart>
    <ViewPart Name="Props{0}" Factory="CreateDockablePanelViewPart" Caption="Properties">
      <ExtData><DockablePanel><CaptionRotation>AlwaysHorz</CaptionRotation></DockablePanel></ExtData>
    </ViewPart>
    <ViewPart Name="Wrap{0}" Factory="CreateCheckBoxViewPart" Caption="Word wrap" WorkSpace="Props{0}">
      <ExtData><TBXCheckBox><AllowGrayed>True</AllowGrayed><State>Grayed</State></TBXCheckBox></ExtData>
    </ViewPart>
    <ViewPart Name="Tools{0}" Factory="CreateMultiDockPanelViewPart">
      <ExtData><MultiDockPanel><Position>Left</Position><DockSize>170</DockSize></MultiDockPanel></ExtData>
    </ViewPart>
    <ViewPart Name="Manual{0}" Factory="CreateLinkViewPart" Caption="Manual" WorkSpace="Tools{0}">
      <ExtData><TBXLink><CommandID>Help.About</CommandID><Font><Color>clBlue</Color></Font></TBXLink></ExtData>
    </ViewPart>
    <ViewPart Name="Status{0}" Factory="CreateStatusBarViewPart">
      <ExtData>
        <StatusBar>
          <Panels>
            <Panel ID="Msg" Caption="Welcome to ${{Title}}" StretchPriority="100"/>
            <Panel ID="Mode" Size="80" Alignment="Center"/>
          </Panels>
        </StatusBar>
      </ExtData>
    </ViewPart>
    <ViewPart Name="Insert{0}" Factory="CreateRadioButtonViewPart" Caption="Insert" WorkSpace="Status{0}">
      <ExtData><PanelID>Mode</PanelID><TBXRadioButton><Checked>True</Checked></TBXRadioButton></ExtData>
    </ViewPart>
    <ViewPart Name="Heading{0}" Factory="CreateLabelViewPart" Caption="A heading">
      <ExtData>
        <Label><Underline>True</Underline><Font><Size>14</Size><Style>Bold</Style></Font></Label>
      </ExtData>
    </ViewPart>
  </WorkItem>
)";

}  // namespace

std::string ApplicationFileText(int viewParts) {
  std::string text = R"(<Workbench Name="Bench">
  <Commands>
    <Command ID="File.Open" Caption="Open"/>
    <Command ID="Help.About" Caption="Help"/>
  </Commands>
  <WorkItem ID="Main">
)";
  for (int block = 0; block < viewParts / 10; ++block) text += fmt::format(KBlock, block);
  text += "  </WorkItem>\n</Workbench>\n";
  return text;
}

std::string ToolbarExtData(int count, int firstGroup, int groupStep) {
  std::string text = "<ExtData><Toolbar>";
  for (int i = 0; i < count; ++i)
    text += fmt::format(R"(<Item Caption="I{}" GroupIndex="{}"/>)", i, firstGroup + i * groupStep);
  text += "</Toolbar></ExtData>";
  return text;
}
