#include "NUVViewPartSettings.h"

#include <algorithm>

#include "TbxDockablePanels.h"
#include "TbxDocks.h"
#include "TbxGraphics.h"
#include "TbxItems.h"
#include "TbxStatusBars.h"
#include "TbxTextObjects.h"

const TNUVSetting* TNUVSettingGroup::Find(std::string_view name, TNUVSettingPlace place) const {
  auto found = std::find_if(Settings.begin(), Settings.end(),
                            [&](const TNUVSetting& setting) { return setting.Place == place && setting.Name == name; });
  return found == Settings.end() ? nullptr : &*found;
}

std::vector<std::string> TNUVSettingGroup::Names(TNUVSettingPlace place) const {
  std::vector<std::string> names;
  for (const TNUVSetting& setting : Settings)
    if (setting.Place == place) names.push_back(setting.Name);
  return names;
}

namespace {

const char* const KColourValues =
    "a colour name (clRed, clBtnShadow, clDefault), #RRGGBB, $ and the hexadecimal TColor value, or a decimal TColor "
    "value";

TNUVSetting Boolean(std::string name, std::string def, std::string description) {
  return {std::move(name), spElement, "Boolean", std::move(def), "True, False, 1, 0", std::move(description)};
}

TNUVSetting Integer(std::string name, std::string def, std::string range, std::string description) {
  return {std::move(name), spElement, "Integer", std::move(def), std::move(range), std::move(description)};
}

TNUVSetting String(std::string name, std::string description) {
  return {std::move(name), spElement, "String", "", "", std::move(description)};
}

// A text shown to the user: each ${Name} is replaced by the work item's named value.
TNUVSetting Text(std::string name, std::string description) {
  return {std::move(name),       spElement, "Text", "", "any text; ${Name} gives the work item's named value Name",
          std::move(description)};
}

TNUVSetting Colour(std::string name, std::string def, std::string description) {
  return {std::move(name), spElement, "Colour", std::move(def), KColourValues, std::move(description)};
}

template <class E>
TNUVSetting Enumeration(std::string name, std::string def, std::string_view prefix, std::string description) {
  return {std::move(name),       spElement, "Enumeration", std::move(def), EnumNamesText(TypeInfo<E>(), prefix),
          std::move(description)};
}

TNUVSetting Element(std::string name, const TNUVSettingGroup& group, std::string description) {
  return {std::move(name), spElement, "Element", "", "", std::move(description), &group};
}

TNUVSetting Attribute(TNUVSetting setting) {
  setting.Place = spAttribute;
  return setting;
}

TNUVSetting Repeated(TNUVSetting setting) {
  setting.Repeated = true;
  return setting;
}

// ---------------------------------------------------------------------------------------------
// Shared elements

const TNUVSettingGroup& FontGroup() {
  static const TNUVSettingGroup group{
      "Font",
      {String("Name", "The font family; a missing element keeps the control's font."),
       Integer("Size", "the control's", "1 to 1000", "The size in points."),
       Colour("Color", "the control's", "The text colour."),
       {"Style", spElement, "List", "", "a comma-separated list of " + EnumNamesText(TypeInfo<TFontStyle>(), "fs"),
        "The font styles; an empty element clears them."}}};
  return group;
}

TNUVSetting CommandID() {
  return String("CommandID",
                "The command whose action the control takes: its caption, hint, enabled state and click. A command "
                "that the action service does not know gives no action.");
}

TNUVSetting SideAlignment() {
  auto setting = Enumeration<TAlignment>("Alignment", "LeftJustify", "ta",
                                         "How the text is aligned in the control; Center is an error.");
  setting.Values = "LeftJustify, RightJustify";
  return setting;
}

TNUVSetting AutoSize() { return Boolean("AutoSize", "True", "The control takes the size of its text."); }

// What the four text controls read after their own settings.
std::vector<TNUVSetting> TextLook() {
  return {
      Colour("Color", "clDefault", "The background colour."),
      Element("Font", FontGroup(), "The font: child elements Name, Size, Color and Style."),
      Enumeration<TTextWrapping>("Wrapping", "None", "tw", "How a text too long for the control is cut or wrapped.")};
}

TNUVSettingGroup SimpleGroup(std::string element, std::vector<TNUVSetting> own) {
  std::vector<TNUVSetting> settings{CommandID(), SideAlignment(), AutoSize()};
  settings.insert(settings.end(), own.begin(), own.end());
  for (TNUVSetting& setting : TextLook()) settings.push_back(std::move(setting));
  return {std::move(element), std::move(settings)};
}

TNUVPublished CaptionKey() {
  return {pkDataKey, "<Name>_Caption", "String", "The caption: writing it shows the new text."};
}

TNUVPublished OnChangeTopic() {
  return {pkTopic, "Topic://ViewPart/%s/OnChange", "",
          "Fired with the control as sender whenever its checked state changes."};
}

// ---------------------------------------------------------------------------------------------
// Simple view parts

const TNUVSettingGroup& LabelGroup() {
  static const TNUVSettingGroup group =
      SimpleGroup("Label", {Boolean("Underline", "False", "A line under the label."),
                            Colour("UnderlineColor", "clBtnShadow", "The colour of that line.")});
  return group;
}

const TNUVSettingGroup& LinkGroup() {
  static const TNUVSettingGroup group = [] {
    TNUVSettingGroup link = SimpleGroup("TBXLink", {});
    link.Settings.push_back(
        String("ImageFile", "An image shown before the text, from the image service; none without a file or service."));
    return link;
  }();
  return group;
}

const TNUVSettingGroup& RadioButtonGroup() {
  static const TNUVSettingGroup group = SimpleGroup(
      "TBXRadioButton",
      {Integer("GroupIndex", "0", "any integer", "Radio buttons of one parent and group index exclude each other."),
       Boolean("Checked", "False", "The button starts checked.")});
  return group;
}

const TNUVSettingGroup& CheckBoxGroup() {
  static const TNUVSettingGroup group =
      SimpleGroup("TBXCheckBox", {Boolean("AllowGrayed", "False", "A click also reaches the grayed state."),
                                  Boolean("Checked", "False", "The box starts checked."),
                                  Enumeration<TCheckBoxState>("State", "Checked when Checked is True, else UnChecked",
                                                              "cb", "The starting state; overrides Checked.")});
  return group;
}

// ---------------------------------------------------------------------------------------------
// Docking view parts

const TNUVSettingGroup& ToolbarDockGroup() {
  static const TNUVSettingGroup group{
      "ToolbarDock",
      {Boolean("MultiDock", "False",
               "A multi-dock (TTBXMultiDock) that takes dockable panels only, instead of a dock (TTBXDock) for "
               "toolbars and panels."),
       Enumeration<TTBDockPosition>("Position", "Top", "dp", "The window edge the dock stands along."),
       Boolean("AllowDrag", "True", "Toolbars and panels can be dragged out of the dock."),
       Boolean("LimitToOneRow", "False", "All docked windows share one row."),
       {"BoundLines", spElement, "List", "",
        "a comma-separated list of " + EnumNamesText(TypeInfo<TTBDockBoundLinesValues>(), "bl"),
        "Lines drawn along these sides of the dock; added to those it has."}}};
  return group;
}

const TNUVSettingGroup& DockablePanelGroup() {
  static const TNUVSettingGroup group{
      "DockablePanel",
      {Enumeration<TDPCaptionRotation>("CaptionRotation", "Auto", "dpcr", "How the caption turns when docked."),
       Boolean("CloseButton", "True", "A close button while floating."),
       Boolean("CloseButtonWhenDocked", "True", "A close button while docked."),
       Boolean("DblClickUnDock", "True", "A double-click on the caption floats a docked panel."),
       Enumeration<TTBDockMode>("DockMode", "CanFloat", "dm", "Whether the panel may float or change docks."),
       Integer("DockPos", "-1", "-1 (next free place) or a position in pixels", "Its position within its row."),
       Integer("DockRow", "0", "0 or more", "The row of the dock it lies in."),
       Boolean("Resizable", "True", "The user can resize the panel."),
       Boolean("ShowCaption", "True", "The caption bar while floating."),
       Boolean("ShowCaptionWhenDocked", "True", "The caption bar while docked."),
       {"DockableTo", spElement, "List", "All",
        "All, or a comma-separated list of " + EnumNamesText(TypeInfo<TTBDockPosition>(), "dp"),
        "The dock positions the panel may dock at."}}};
  return group;
}

const TNUVSettingGroup& ButtonFontGroup() {
  static const TNUVSettingGroup group{
      "ButtonFontSettings",
      {Enumeration<TTriState>("Bold", "Default", "ts", "Bold button captions."),
       Enumeration<TTriState>("Italic", "Default", "ts", "Italic button captions."),
       Enumeration<TTriState>("Underline", "Default", "ts", "Underlined button captions."),
       Enumeration<TTriState>("StrikeOut", "Default", "ts", "Struck-out button captions."),
       Integer("Size", "100", "25 to 1000", "The caption size in percent of the toolbar's font."),
       String("Name", "The font family of the captions; empty: the toolbar's."),
       Colour("Color", "clDefault", "The caption colour.")}};
  return group;
}

const TNUVSettingGroup& MultiDockPanelGroup() {
  static const TNUVSettingGroup group{
      "MultiDockPanel",
      {Boolean("AutoHide", "False", "No panel shows until its button is clicked."),
       Boolean("ShowTitle", "True", "The panels show their caption bar."),
       Integer("DockSize", "200", "0 or more", "The docked width (or height) of the panels, in pixels."),
       Boolean("SmoothDockedResize", "True", "Panels resize while the edge is dragged."),
       Element(
           "ButtonFontSettings", ButtonFontGroup(),
           "The font of the toolbar buttons, one per child: Bold, Italic, Underline, StrikeOut, Size, Name, Color."),
       Enumeration<TTBDockPosition>("Position", "Left", "dp", "The window edge the dock stands along."),
       Attribute(Boolean("ShowToolBar", "True", "The toolbar of buttons that switch between the panels shows."))}};
  return group;
}

// ---------------------------------------------------------------------------------------------
// Toolbar

const TNUVSettingGroup& SeparatorGroup() {
  static const TNUVSettingGroup group{
      "Separator",
      {Attribute(Integer("GroupIndex", "0", "any integer", "Orders the separator among the items and in merges.")),
       Attribute(Boolean("Visible", "True", "The separator shows."))}};
  return group;
}

// An item holds items of its own: then it is a submenu. The group refers to itself, so it is
// filled once it exists.
const TNUVSettingGroup& ItemGroup() {
  static TNUVSettingGroup group{"Item", {}};
  if (group.Settings.empty())
    group.Settings = {Attribute(String("CommandID", "The command whose action the item takes.")),
                      Attribute(Text("Caption", "The item's caption; without it the action's.")),
                      Attribute(String("ImageFile", "The item's image, from the image service.")),
                      Attribute(Integer("GroupIndex", "0", "any integer",
                                        "Orders the item; in a merge, items of equal group index meet.")),
                      Attribute(Boolean("Visible", "True", "The item shows.")),
                      Repeated(Element("Item", group, "A sub-item: the item becomes a submenu.")),
                      Repeated(Element("Separator", SeparatorGroup(), "A separator among the sub-items."))};
  return group;
}

const TNUVSettingGroup& ToolbarGroup() {
  static const TNUVSettingGroup group{
      "Toolbar",
      {String("ServiceID",
              "Registers the toolbar as an INUVToolbarService under this ID; another service under it is an error."),
       Attribute(
           String("MergeWithMainToolbarViewPart",
                  "The name of a toolbar view part whose toolbar takes all of this one's items while the work item "
                  "runs; this toolbar hides.")),
       Repeated(Element("Item", ItemGroup(),
                        "A toolbar item (attributes CommandID, Caption, ImageFile, GroupIndex, "
                        "Visible; Item and Separator children make a submenu).")),
       Repeated(Element("Separator", SeparatorGroup(), "A separator (attributes GroupIndex, Visible)."))}};
  return group;
}

// ---------------------------------------------------------------------------------------------
// Status bar

const TNUVSettingGroup& PanelGroup() {
  static const TNUVSettingGroup group{
      "Panel",
      {Attribute(Text("Caption", "The panel's text.")),
       Attribute(Enumeration<TAlignment>("Alignment", "LeftJustify", "ta", "How the text is aligned.")),
       Attribute(Boolean("Framed", "True", "A frame around the panel.")),
       Attribute(String("Hint", "The hint shown over the panel.")),
       Attribute(Integer("Size", "50", "0 or more", "The width in pixels.")),
       Attribute(Integer("MaxSize", "0", "0 (none) or more", "The widest a stretching panel grows.")),
       Attribute(
           Integer("StretchPriority", "0", "0 to 100", "Panels with a higher priority take the spare width first.")),
       {"TextTruncation", spAttribute, "Enumeration", "None", EnumNamesText(TextTruncationTypeInfo(), "tw"),
        "How a text too long for the panel is cut."},
       Attribute(String("ImageFile", "An image before the text, from the image service.")),
       Attribute(String("ID",
                        "Names the panel: it publishes data keys, fires topics, and children find it by "
                        "PanelID. Without an ID a panel publishes nothing."))}};
  return group;
}

const TNUVSettingGroup& PanelsGroup() {
  static const TNUVSettingGroup group{"Panels", {Repeated(Element("Panel", PanelGroup(), "One status panel."))}};
  return group;
}

const TNUVSettingGroup& StatusBarGroup() {
  static const TNUVSettingGroup group{
      "StatusBar",
      {Boolean("SizeGrip", "True", "The size grip at the right end."),
       Boolean("SimplePanel", "False",
               "One simple text instead of panels; also when the StatusBar element has no children."),
       Text("SimpleText", "The simple text (simple mode)."),
       Element("Panels", PanelsGroup(), "The panels, in order (panel mode); every child is a Panel element.")}};
  return group;
}

// ---------------------------------------------------------------------------------------------
// Minimal applications

std::string Application(const std::string& body, const std::string& commands = "") {
  return "<Workbench Name=\"Demo\">\n" + commands + "  <WorkItem ID=\"Main\">\n" + body +
         "  </WorkItem>\n</Workbench>\n";
}

std::vector<TNUVViewPartReference> MakeReferences() {
  return {
      {"CreateLabelViewPart",
       "TNUVLabelViewPart",
       "A label (TTBXLabel) that shows the view part's caption.",
       &LabelGroup(),
       {CaptionKey()},
       Application("    <ViewPart Name=\"Title\" Factory=\"CreateLabelViewPart\" Caption=\"Hello\">\n"
                   "      <ExtData>\n"
                   "        <Label>\n"
                   "          <Underline>True</Underline>\n"
                   "          <Font><Size>12</Size><Style>Bold</Style></Font>\n"
                   "        </Label>\n"
                   "      </ExtData>\n"
                   "    </ViewPart>\n"),
       "label.xml"},
      {"CreateLinkViewPart",
       "TNUVLinkViewPart",
       "A link (TTBXLink) whose click runs a command.",
       &LinkGroup(),
       {CaptionKey()},
       Application("    <ViewPart Name=\"About\" Factory=\"CreateLinkViewPart\" Caption=\"About\">\n"
                   "      <ExtData><TBXLink><CommandID>Help.About</CommandID></TBXLink></ExtData>\n"
                   "    </ViewPart>\n",
                   "  <Commands><Command ID=\"Help.About\" Caption=\"About\"/></Commands>\n"),
       "buttons.xml"},
      {"CreateRadioButtonViewPart",
       "TNUVRadioButtonViewPart",
       "A radio button (TTBXRadioButton); buttons of one group index exclude each other.",
       &RadioButtonGroup(),
       {{pkDataKey, "<Name>_Checked", "Boolean", "Whether the button is checked."}, OnChangeTopic()},
       Application("    <ViewPart Name=\"Small\" Factory=\"CreateRadioButtonViewPart\" Caption=\"Small\">\n"
                   "      <ExtData><TBXRadioButton><GroupIndex>1</GroupIndex><Checked>True</Checked></TBXRadioButton>"
                   "</ExtData>\n"
                   "    </ViewPart>\n"
                   "    <ViewPart Name=\"Large\" Factory=\"CreateRadioButtonViewPart\" Caption=\"Large\">\n"
                   "      <ExtData><TBXRadioButton><GroupIndex>1</GroupIndex></TBXRadioButton></ExtData>\n"
                   "    </ViewPart>\n"),
       "buttons.xml"},
      {"CreateCheckBoxViewPart",
       "TNUVCheckBoxViewPart",
       "A check box (TTBXCheckBox) with two or three states.",
       &CheckBoxGroup(),
       {{pkDataKey, "<Name>_Checked", "Boolean", "Whether the box is checked."},
        {pkDataKey, "<Name>_State", "Integer", "The state: 0 unchecked, 1 checked, 2 grayed; others are refused."},
        OnChangeTopic()},
       Application("    <ViewPart Name=\"Wrap\" Factory=\"CreateCheckBoxViewPart\" Caption=\"Wrap lines\">\n"
                   "      <ExtData><TBXCheckBox><AllowGrayed>True</AllowGrayed><State>Grayed</State></TBXCheckBox>"
                   "</ExtData>\n"
                   "    </ViewPart>\n"),
       "buttons.xml"},
      {"CreateToolbarDockViewPart",
       "TNUVToolbarDockViewPart",
       "A dock along a window edge: the work space that toolbars and dockable panels dock in (WorkSpace= its name). "
       "A toolbar or panel shown in no dock floats.",
       &ToolbarDockGroup(),
       {},
       Application("    <ViewPart Name=\"TopDock\" Factory=\"CreateToolbarDockViewPart\">\n"
                   "      <ExtData><ToolbarDock><Position>Top</Position></ToolbarDock></ExtData>\n"
                   "    </ViewPart>\n"
                   "    <ViewPart Name=\"Standard\" Factory=\"CreateToolbarViewPart\" Caption=\"Standard\" "
                   "WorkSpace=\"TopDock\">\n"
                   "      <ExtData><Toolbar><Item Caption=\"Open\"/></Toolbar></ExtData>\n"
                   "    </ViewPart>\n"),
       "docks.xml"},
      {"CreateToolbarViewPart",
       "TNUVToolBarViewPart",
       "A toolbar (TTBXToolbar) built from Item and Separator elements. Child view parts become items placed by "
       "their GroupIndex; with MergeWithMainToolbarViewPart all items go into the main toolbar while the work item "
       "runs. Dock it with a toolbar dock (CreateToolbarDockViewPart), else it floats.",
       &ToolbarGroup(),
       {{pkService, "<ServiceID>", "INUVToolbarService", "The toolbar, registered when ServiceID is given."}},
       Application("    <ViewPart Name=\"TopDock\" Factory=\"CreateToolbarDockViewPart\"/>\n"
                   "    <ViewPart Name=\"MainToolbar\" Factory=\"CreateToolbarViewPart\" Caption=\"Main\" "
                   "WorkSpace=\"TopDock\">\n"
                   "      <ExtData>\n"
                   "        <Toolbar>\n"
                   "          <Item Caption=\"Open\" CommandID=\"File.Open\" GroupIndex=\"1\"/>\n"
                   "          <Separator GroupIndex=\"2\"/>\n"
                   "        </Toolbar>\n"
                   "      </ExtData>\n"
                   "    </ViewPart>\n"
                   "    <ViewPart Name=\"EditToolbar\" Factory=\"CreateToolbarViewPart\" Caption=\"Edit\">\n"
                   "      <ExtData>\n"
                   "        <Toolbar MergeWithMainToolbarViewPart=\"MainToolbar\">\n"
                   "          <Item Caption=\"Copy\" GroupIndex=\"3\"/>\n"
                   "        </Toolbar>\n"
                   "      </ExtData>\n"
                   "    </ViewPart>\n",
                   "  <Commands><Command ID=\"File.Open\" Caption=\"Open\"/></Commands>\n"),
       "toolbars.xml"},
      {"CreateDockablePanelViewPart",
       "TNUVDockablePanelViewPart",
       "A dockable panel (TTBXDockablePanel): a work space for any child view part, docked in a toolbar dock "
       "(WorkSpace= the dock) or floating.",
       &DockablePanelGroup(),
       {},
       Application("    <ViewPart Name=\"SideDock\" Factory=\"CreateToolbarDockViewPart\">\n"
                   "      <ExtData><ToolbarDock><Position>Left</Position></ToolbarDock></ExtData>\n"
                   "    </ViewPart>\n"
                   "    <ViewPart Name=\"Options\" Factory=\"CreateDockablePanelViewPart\" Caption=\"Options\" "
                   "WorkSpace=\"SideDock\">\n"
                   "      <ExtData><DockablePanel><CloseButtonWhenDocked>False</CloseButtonWhenDocked></DockablePanel>"
                   "</ExtData>\n"
                   "    </ViewPart>\n"
                   "    <ViewPart Name=\"Wrap\" Factory=\"CreateCheckBoxViewPart\" Caption=\"Wrap lines\" "
                   "WorkSpace=\"Options\"/>\n"),
       "panels.xml"},
      {"CreateMultiDockPanelViewPart",
       "TNUVMultiDockPanelViewPart",
       "A dock with a toolbar of buttons: each child view part gets a dockable panel and a button that shows it.",
       &MultiDockPanelGroup(),
       {},
       Application(
           "    <ViewPart Name=\"Side\" Factory=\"CreateMultiDockPanelViewPart\">\n"
           "      <ExtData><MultiDockPanel><DockSize>180</DockSize></MultiDockPanel></ExtData>\n"
           "    </ViewPart>\n"
           "    <ViewPart Name=\"Files\" Factory=\"CreateLabelViewPart\" Caption=\"Files\" WorkSpace=\"Side\"/>\n"
           "    <ViewPart Name=\"Search\" Factory=\"CreateLabelViewPart\" Caption=\"Search\" "
           "WorkSpace=\"Side\"/>\n"),
       "multidock.xml"},
      {"CreateStatusBarViewPart",
       "TNUVStatusBarViewPart",
       "A status bar (TTBXStatusBar) with one simple text or with panels; a child view part sits in the panel "
       "its PanelID names.",
       &StatusBarGroup(),
       {{pkDataKey, "<Name>_SimpleText", "String", "The simple text (simple mode only)."},
        {pkDataKey, "<Name>_<ID>_Caption", "String", "A panel's caption (panels with an ID)."},
        {pkDataKey, "<Name>_<ID>_Size", "Integer", "A panel's width."},
        {pkDataKey, "<Name>_<ID>_Visible", "Boolean", "Whether the panel shows; hiding keeps its size to restore."},
        {pkTopic, "Topic://ViewPart/%s/OnClick", "", "A click on a panel with an ID."},
        {pkTopic, "Topic://ViewPart/%s/OnDblClick", "", "A double-click on a panel with an ID."}},
       Application("    <ViewPart Name=\"Status\" Factory=\"CreateStatusBarViewPart\">\n"
                   "      <ExtData>\n"
                   "        <StatusBar>\n"
                   "          <Panels>\n"
                   "            <Panel ID=\"Msg\" Caption=\"Ready\" StretchPriority=\"100\"/>\n"
                   "            <Panel ID=\"Keys\" Size=\"80\"/>\n"
                   "          </Panels>\n"
                   "        </StatusBar>\n"
                   "      </ExtData>\n"
                   "    </ViewPart>\n"
                   "    <ViewPart Name=\"Caps\" Factory=\"CreateCheckBoxViewPart\" Caption=\"Caps\" "
                   "WorkSpace=\"Status\">\n"
                   "      <ExtData><PanelID>Keys</PanelID></ExtData>\n"
                   "    </ViewPart>\n"),
       "statusbar.xml"},
  };
}

}  // namespace

const std::vector<TNUVViewPartReference>& ViewPartReferences() {
  static const std::vector<TNUVViewPartReference> references = MakeReferences();
  return references;
}

const TNUVViewPartReference* FindViewPartReference(std::string_view factory) {
  for (const TNUVViewPartReference& reference : ViewPartReferences())
    if (reference.Factory == factory) return &reference;
  return nullptr;
}

const TNUVSettingGroup& WorkSpaceChildSettings() {
  static const TNUVSettingGroup group{
      "ExtData",
      {Integer("GroupIndex", "-1", "any integer",
               "In a toolbar work space: where the view part's control (or toolbar's items) goes among the items."),
       String("PanelID", "In a status bar work space: the ID of the panel that takes the view part's control.")}};
  return group;
}
