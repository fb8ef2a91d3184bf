// The keyboard as the toolkit takes it: key names, access keys and the captions they change, the
// focus from control to control, keys on check boxes, radio groups and links, and the keyboard on
// the toolbars.
#include <gtest/gtest.h>

#include <algorithm>

#include <memory>
#include <string>
#include <vector>

#include "TbxForms.h"
#include "TbxTextObjects.h"
#include "TbxToolbars.h"

namespace {

TKeyStroke Stroke(const std::string& name) {
  TKeyStroke stroke;
  EXPECT_TRUE(ParseKeyStroke(name, stroke)) << name;
  return stroke;
}

TEST(TbxKeyboard, KeyStrokesReadTheirNamesAndWriteThemBack) {
  EXPECT_EQ(Stroke("Tab"), (TKeyStroke{vkTab, {}}));
  EXPECT_EQ(Stroke("shift+tab"), (TKeyStroke{vkTab, {ssShift}}));
  EXPECT_EQ(Stroke("Alt"), (TKeyStroke{vkMenu, {}}));
  EXPECT_EQ(Stroke("Alt+n"), (TKeyStroke{'N', {ssAlt}}));
  EXPECT_EQ(Stroke("Return"), Stroke("Enter"));
  EXPECT_EQ(Stroke("Ctrl+Alt+Down"), (TKeyStroke{vkDown, {ssCtrl, ssAlt}}));
  EXPECT_EQ(Stroke("Alt+\xC3\xBC"), (TKeyStroke{0xFC, {ssAlt}}));  // a letter beyond ASCII keeps its case
  // Lower-case letters are their keys, from a to z; what stands just outside keeps its code.
  EXPECT_EQ(Stroke("Alt+a").Key, 'A');
  EXPECT_EQ(Stroke("Alt+z").Key, 'Z');
  EXPECT_EQ(Stroke("Alt+`").Key, '`');
  EXPECT_EQ(Stroke("Alt+{").Key, '{');
  for (const char* name : {"Shift+Tab", "Alt+N", "F10", "Space", "Escape", "Ctrl+Alt+Down", "Home"})
    EXPECT_EQ(KeyStrokeName(Stroke(name)), name);
  TKeyStroke untouched{vkTab, {}};
  for (const char* bad : {"", "Tabb", "Super+Tab", "Alt+", "NN", "Alt+Tabs", " "})
    EXPECT_FALSE(ParseKeyStroke(bad, untouched)) << bad;
  EXPECT_EQ(untouched, (TKeyStroke{vkTab, {}}));
}

TEST(TbxKeyboard, AnAmpersandMarksTheAccessKeyAndTwoShowOne) {
  const TAccessKeyText format = ParseAccessKey("Fo&rmat");
  EXPECT_EQ(format.Text, "Format");
  EXPECT_EQ(format.Key, 'R');
  EXPECT_EQ(format.KeyOffset, 2);
  EXPECT_EQ(format.KeyLength, 1);
  const TAccessKeyText both = ParseAccessKey("Save && &quit");
  EXPECT_EQ(both.Text, "Save & quit");
  EXPECT_EQ(both.Key, 'Q');
  EXPECT_EQ(both.KeyOffset, 7);
  const TAccessKeyText first = ParseAccessKey("&One &Two&");
  EXPECT_EQ(first.Text, "One Two");
  EXPECT_EQ(first.Key, 'O');
  const TAccessKeyText wide = ParseAccessKey(
      "&\xC3\x9C"
      "ber");
  EXPECT_EQ(wide.Text,
            "\xC3\x9C"
            "ber");
  EXPECT_EQ(wide.Key, 0xDC);
  EXPECT_EQ(wide.KeyLength, 2);
  const TAccessKeyText none = ParseAccessKey("A && B");
  EXPECT_EQ(none.Text, "A & B");
  EXPECT_EQ(none.Key, vkNone);
  EXPECT_EQ(none.KeyOffset, -1);
  EXPECT_EQ(StripAccessKeys("Plain"), "Plain");
}

TEST(TbxKeyboard, ControlsThatTakeAccessKeysMeasureTheirCaptionWithoutMarkers) {
  TTBXCheckBox marked(nullptr), plain(nullptr);
  marked.SetText("&Word wrap");
  plain.SetText("Word wrap");
  EXPECT_EQ(marked.GetBoundsRect().Size(), plain.GetBoundsRect().Size());
  EXPECT_EQ(marked.GetTextLines(), std::vector<std::string>{"Word wrap"});
  EXPECT_EQ(marked.GetText(), "&Word wrap");
  EXPECT_EQ(marked.GetAccessKey(), 'W');
  // A label shows its text as it is: a data key may write any text into it.
  TTBXLabel label(nullptr);
  label.SetText("Fish & Chips");
  EXPECT_EQ(label.GetTextLines(), std::vector<std::string>{"Fish & Chips"});
  EXPECT_EQ(label.GetAccessKey(), vkNone);

  TTBXToolbar toolbar(nullptr);
  auto* item = new TTBXItem(&toolbar);
  auto* twin = new TTBXItem(&toolbar);
  item->SetCaption("&New");
  twin->SetCaption("New");
  toolbar.Items()->Add(item);
  toolbar.Items()->Add(twin);
  EXPECT_EQ(item->GetBounds().Width, twin->GetBounds().Width);
  EXPECT_EQ(toolbar.GetItemParts(*item).Caption.Width, toolbar.GetItemParts(*twin).Caption.Width);
}

TTBXItem* AddItem(TTBCustomItem& parent, TComponent* owner, const std::string& caption, std::vector<std::string>& log) {
  auto* item = new TTBXItem(owner);
  item->SetCaption(caption);
  item->OnClick = [&log, caption](TObject*) { log.push_back("click " + caption); };
  parent.Add(item);
  return item;
}

// A form: a top dock with a main toolbar (New, Open, a separator, Format with Bold and Italic, and
// a disabled Help), a bottom dock with a second toolbar; a panel holding a check box, a radio group
// of three and a lone radio button; a label, a link, a hidden check box and a disabled one.
struct TKeyboardForm {
  TKeyboardForm() {
    Form.SetBounds(0, 0, 640, 480);
    Top.SetName("Top");
    Top.SetParent(&Form);
    Bottom.SetName("Bottom");
    Bottom.SetPosition(dpBottom);
    Bottom.SetParent(&Form);
    Main.SetName("Main");
    AddItem(*Main.Items(), &Main, "&New", Log);
    AddItem(*Main.Items(), &Main, "&Open", Log);
    Main.Items()->Add(new TTBXSeparatorItem(&Main));
    Format = new TTBXSubmenuItem(&Main);
    Format->SetCaption("Fo&rmat");
    Main.Items()->Add(Format);
    AddItem(*Format, &Main, "&Bold", Log);
    Format->Add(new TTBXSeparatorItem(&Main));
    AddItem(*Format, &Main, "&Italic", Log);
    AddItem(*Main.Items(), &Main, "&Help", Log)->SetEnabled(false);
    Main.SetParent(&Top);
    Second.SetName("Second");
    AddItem(*Second.Items(), &Second, "&Print", Log);
    Second.SetParent(&Bottom);
    Area.SetName("Area");
    Area.SetParent(&Form);
    Box.SetName("Box");
    Box.SetText("&Word wrap");
    Box.SetAllowGrayed(true);
    Box.SetParent(&Area);
    for (auto* button : {&Small, &Medium, &Large}) {
      button->SetParent(&Area);
      button->SetGroupIndex(1);
      button->OnChange = [this, button](TObject*) {
        Log.push_back("change " + button->GetName() + (button->GetChecked() ? " on" : " off"));
      };
    }
    Small.SetName("Small");
    Medium.SetName("Medium");
    Medium.SetChecked(true);
    Large.SetName("Large");
    Lone.SetName("Lone");
    Lone.SetParent(&Area);
    Note.SetName("Note");
    Note.SetParent(&Form);
    Link.SetName("Link");
    Link.SetText("Read the &manual");
    Link.OnClick = [this](TObject*) { Log.push_back("click Link"); };
    Link.SetParent(&Form);
    Hidden.SetName("Hidden");
    Hidden.SetParent(&Form);
    Hidden.Hide();
    Disabled.SetName("Disabled");
    Disabled.SetParent(&Form);
    Disabled.SetEnabled(false);
    Form.OnFocusChange = [this](TWinControl*, TWinControl& focused) { Log.push_back("focus " + focused.GetName()); };
    Form.OnToolbarKeyboard = [this](TObject*) { Log.push_back("keyboard " + KeyboardText()); };
  }
  bool Key(const std::string& name) { return Form.KeyDown(Stroke(name).Key, Stroke(name).Shift); }
  std::string KeyboardText() const {
    const TToolbarKeyboard& keyboard = Form.ToolbarKeyboard();
    if (!keyboard.Active()) return "off";
    std::string text = keyboard.Toolbar()->GetName();
    for (const TTBCustomItem* item : keyboard.Path()) text += "/" + item->GetCaption();
    return text;
  }
  std::vector<std::string> TakeLog() { return std::exchange(Log, {}); }
  std::string Focused() const {
    const TWinControl* focused = Form.FocusedInForm();
    return focused ? focused->GetName() : "-";
  }

  TForm Form{nullptr};
  TTBXDock Top{nullptr}, Bottom{nullptr};
  TTBXToolbar Main{nullptr}, Second{nullptr};
  TTBXSubmenuItem* Format = nullptr;
  TStackPanel Area{nullptr};
  TTBXCheckBox Box{nullptr};
  TTBXRadioButton Small{nullptr}, Medium{nullptr}, Large{nullptr}, Lone{nullptr};
  TTBXLabel Note{nullptr};
  TTBXLink Link{nullptr};
  TTBXCheckBox Hidden{nullptr}, Disabled{nullptr};
  std::vector<std::string> Log;
};

TEST(TbxKeyboard, TabWalksTheControlsInTheirContainersInTheWindowsOrderRoundTheEnd) {
  TKeyboardForm f;
  f.TakeLog();
  std::vector<std::string> order;
  for (const TWinControl* control : f.Form.TabOrder()) order.push_back(control->GetName());
  EXPECT_EQ(order, (std::vector<std::string>{"Box", "Small", "Medium", "Large", "Lone", "Link"}));
  EXPECT_TRUE(f.Key("Tab"));
  EXPECT_TRUE(f.Key("Tab"));
  EXPECT_EQ(f.TakeLog(), (std::vector<std::string>{"focus Box", "focus Small"}));
  for (int i = 0; i < 5; ++i) f.Key("Tab");
  EXPECT_EQ(f.Focused(), "Box");  // round the end
  EXPECT_TRUE(f.Key("Shift+Tab"));
  EXPECT_EQ(f.Focused(), "Link");
  // From a control Tab does not reach (a click on the label), on to the next one that it does.
  f.Note.SetFocus();
  f.Key("Tab");
  EXPECT_EQ(f.Focused(), "Link");
  f.Area.Hide();
  EXPECT_TRUE(f.Key("Tab"));
  EXPECT_EQ(f.Focused(), "Link");  // the only one left: Tab comes back to it
}

TEST(TbxKeyboard, SpaceTogglesACheckBoxThroughItsClickAndEnterFollowsALink) {
  TKeyboardForm f;
  f.Box.SetFocus();
  std::vector<TCheckBoxState> states;
  f.Box.OnChange = [&](TObject*) { states.push_back(f.Box.GetState()); };
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(f.Key("Space"));
  EXPECT_EQ(states, (std::vector<TCheckBoxState>{cbChecked, cbGrayed, cbUnchecked}));
  EXPECT_FALSE(f.Key("Enter"));  // a check box takes Space only
  f.Link.SetFocus();
  f.TakeLog();
  EXPECT_TRUE(f.Key("Enter"));
  EXPECT_TRUE(f.Key("Space"));
  EXPECT_EQ(f.TakeLog(), (std::vector<std::string>{"click Link", "click Link"}));
}

TEST(TbxKeyboard, ArrowsMoveTheChoiceAndTheFocusWithinARadioGroup) {
  TKeyboardForm f;
  f.Medium.SetFocus();
  f.TakeLog();
  EXPECT_TRUE(f.Key("Down"));
  EXPECT_EQ(f.TakeLog(), (std::vector<std::string>{"focus Large", "change Medium off", "change Large on"}));
  EXPECT_TRUE(f.Key("Right"));  // round the end, never to the lone button of another group
  EXPECT_EQ(f.Focused(), "Small");
  EXPECT_TRUE(f.Small.GetChecked());
  f.Large.SetEnabled(false);
  EXPECT_TRUE(f.Key("Up"));  // the disabled one is passed over
  EXPECT_EQ(f.Focused(), "Medium");
  f.Lone.SetFocus();
  f.TakeLog();
  EXPECT_TRUE(f.Key("Down"));  // alone in its group: nothing moves
  EXPECT_EQ(f.TakeLog(), std::vector<std::string>{});
}

TEST(TbxKeyboard, AltPutsTheKeyboardOnTheMainToolbarWhereEnterClicksTheSecondItem) {
  TKeyboardForm f;
  f.Box.SetFocus();
  f.TakeLog();
  EXPECT_TRUE(f.Key("Alt"));
  EXPECT_TRUE(f.Key("Right"));
  EXPECT_TRUE(f.Key("Enter"));
  EXPECT_EQ(f.TakeLog(),
            (std::vector<std::string>{"keyboard Main/&New", "keyboard Main/&Open", "keyboard off", "click &Open"}));
  EXPECT_EQ(f.Focused(), "Box");  // the focus stays where it was
  EXPECT_TRUE(f.Key("F10"));
  EXPECT_TRUE(f.Key("Left"));  // round the start, past the disabled Help
  EXPECT_EQ(f.KeyboardText(), "Main/Fo&rmat");
  EXPECT_TRUE(f.Key("Escape"));
  EXPECT_EQ(f.KeyboardText(), "off");
  EXPECT_TRUE(f.Key("Space"));  // the focused check box has the keys again
  EXPECT_EQ(f.Box.GetState(), cbChecked);
}

TEST(TbxKeyboard, DownOpensASubmenuWhereEscapeClosesItBeforeLeaving) {
  TKeyboardForm f;
  f.Key("Alt");
  f.Key("End");
  f.Key("Down");
  EXPECT_EQ(f.KeyboardText(), "Main/Fo&rmat/&Bold");
  f.Key("Down");  // past the separator
  EXPECT_EQ(f.KeyboardText(), "Main/Fo&rmat/&Italic");
  f.Key("Escape");
  EXPECT_EQ(f.KeyboardText(), "Main/Fo&rmat");
  f.Key("Enter");  // Enter on a submenu opens it too
  f.Key("Up");
  f.TakeLog();
  f.Key("Enter");
  EXPECT_EQ(f.TakeLog(), (std::vector<std::string>{"keyboard off", "click &Italic"}));
  // Right in a menu goes on to the next item of the toolbar (round the end to New).
  f.Key("Alt");
  f.Key("Left");
  f.Key("Down");
  f.Key("Right");
  EXPECT_EQ(f.KeyboardText(), "Main/&New");
  f.Key("Tab");
  EXPECT_EQ(f.KeyboardText(), "Second/&Print");
  f.Key("Shift+Tab");
  EXPECT_EQ(f.KeyboardText(), "Main/&New");
  f.Key("Alt");
  EXPECT_EQ(f.KeyboardText(), "off");
}

TEST(TbxKeyboard, AltWithAnAccessKeyReachesAnItemOrAControl) {
  TKeyboardForm f;
  EXPECT_TRUE(f.Key("Alt+O"));
  EXPECT_EQ(f.TakeLog().back(), "click &Open");
  EXPECT_TRUE(f.Key("Alt+R"));  // a submenu opens on the keyboard
  EXPECT_EQ(f.KeyboardText(), "Main/Fo&rmat/&Bold");
  EXPECT_TRUE(f.Key("I"));  // in the open menu a letter alone
  EXPECT_EQ(f.TakeLog().back(), "click &Italic");
  EXPECT_TRUE(f.Key("Alt+P"));  // any toolbar, after the main one
  EXPECT_EQ(f.TakeLog().back(), "click &Print");
  EXPECT_FALSE(f.Key("Alt+H"));  // Help is disabled
  EXPECT_TRUE(f.Key("Alt+W"));   // a check box takes the focus and its click
  EXPECT_EQ(f.Focused(), "Box");
  EXPECT_EQ(f.Box.GetState(), cbChecked);
  EXPECT_TRUE(f.Key("Alt+M"));
  EXPECT_EQ(f.Focused(), "Link");
  EXPECT_EQ(f.TakeLog().back(), "click Link");
  EXPECT_FALSE(f.Key("Alt+Z"));
}

TEST(TbxKeyboard, TheKeyboardLetsGoOfItemsThatGoAndOfTheToolbarWhenTheFocusMoves) {
  TKeyboardForm f;
  f.Key("Alt");
  f.Key("End");
  f.Key("Down");
  delete f.Format;  // with its open menu
  EXPECT_EQ(f.KeyboardText(), "Main");
  f.Key("Right");
  EXPECT_EQ(f.KeyboardText(), "Main/&Open");
  f.Box.SetFocus();  // a click elsewhere
  EXPECT_EQ(f.KeyboardText(), "off");
  f.Key("Alt");
  f.Main.Hide();
  EXPECT_FALSE(f.Key("Right"));
  EXPECT_EQ(f.KeyboardText(), "off");
  // Without the main toolbar, the first toolbar of the topmost dock with an item is it.
  EXPECT_EQ(TToolbarKeyboard::MainToolbar(f.Form), &f.Second);
}

TEST(TbxKeyboard, TheMainToolbarIsTheOneOthersMergeInto) {
  TKeyboardForm f;
  EXPECT_EQ(TToolbarKeyboard::MainToolbar(f.Form), &f.Main);
  // An item that Main owns, lent to the second toolbar as a merge does.
  auto* lent = new TTBXItem(&f.Main);
  lent->SetCaption("Lent");
  f.Second.Items()->Add(lent);
  EXPECT_EQ(TToolbarKeyboard::MainToolbar(f.Form), &f.Second);
}

// The main toolbar answers an access key before the others, wherever it stands.
TEST(TbxKeyboard, TheMainToolbarAnswersAnAccessKeyFirst) {
  TKeyboardForm f;
  AddItem(*f.Main.Items(), &f.Main, "&Preview", f.Log);
  auto* lent = new TTBXItem(&f.Main);  // a merge makes the second toolbar the main one
  lent->SetCaption("Lent");
  f.Second.Items()->Add(lent);
  ASSERT_EQ(TToolbarKeyboard::MainToolbar(f.Form), &f.Second);
  EXPECT_TRUE(f.Key("Alt+P"));
  EXPECT_EQ(f.TakeLog().back(), "click &Print");
}

// An access key needs Alt without Ctrl, and Alt with no key names nothing: a plain letter or one
// with Ctrl+Alt goes to the focused control, and a control without an access key is no match.
TEST(TbxKeyboard, OnlyAltWithAKeyReachesAnAccessKey) {
  TKeyboardForm f;
  f.Box.SetFocus();
  f.TakeLog();
  EXPECT_FALSE(f.Key("M"));
  EXPECT_FALSE(f.Key("Ctrl+Alt+M"));
  EXPECT_FALSE(f.Form.KeyDown(vkNone, {ssAlt}));
  EXPECT_EQ(f.Focused(), "Box");
  EXPECT_TRUE(f.TakeLog().empty());
}

// The access key of a wrapped caption is on the line that shows it; a line cut short with an
// ellipsis ends the search, and a caption without a key has none anywhere.
TEST(TbxKeyboard, TheAccessKeyOfAWrappedCaptionIsOnTheLineThatShowsIt) {
  const TAccessKeyText caption = ParseAccessKey("Open the &file now");
  const TAccessKeyPlace second = FindAccessKey(caption, {"Open the", "file now"});
  EXPECT_EQ(second.Line, 1);
  EXPECT_EQ(second.Offset, 0);
  EXPECT_EQ(second.Length, 1);
  const TAccessKeyPlace last = FindAccessKey(ParseAccessKey("Ope&n the file"), {"Open", "the file"});
  EXPECT_EQ(last.Line, 0);
  EXPECT_EQ(last.Offset, 3);
  EXPECT_EQ(FindAccessKey(caption, {"Open the", "fi..."}).Line, -1);
  EXPECT_EQ(FindAccessKey(ParseAccessKey("ab &cd"), {"a...", "cd"}).Line, -1) << "no line after a cut one";
  EXPECT_EQ(FindAccessKey(ParseAccessKey("No key"), {"No key"}).Line, -1);
  EXPECT_EQ(FindAccessKey(ParseAccessKey("Open& now"), {"Open", "now"}).Line, -1)
      << "a key on a space that a break drops";
}

// A toolbar with nothing the keyboard can select (a separator, a disabled item) is passed over;
// an item of another toolbar in a submenu, as a merge leaves it, makes its toolbar the main one.
TEST(TbxKeyboard, TheKeyboardsToolbarsHaveItemsToSelectAndMergedSubmenusCount) {
  TKeyboardForm f;
  TTBXToolbar idle(nullptr);
  idle.SetName("Idle");
  idle.Items()->Add(new TTBXSeparatorItem(&idle));
  AddItem(*idle.Items(), &idle, "&Off", f.Log)->SetEnabled(false);
  idle.SetParent(&f.Top);
  EXPECT_EQ(TToolbarKeyboard::Toolbars(f.Form), (std::vector<TTBCustomToolbar*>{&f.Main, &f.Second}));
  auto* menu = new TTBXSubmenuItem(&f.Second);
  menu->SetCaption("Tools");
  f.Second.Items()->Add(menu);
  auto* lent = new TTBXItem(&f.Main);
  lent->SetCaption("Lent");
  menu->Add(lent);
  EXPECT_EQ(TToolbarKeyboard::MainToolbar(f.Form), &f.Second);
}

int Notices(const std::vector<std::string>& log) {
  return static_cast<int>(
      std::count_if(log.begin(), log.end(), [](const std::string& line) { return line.starts_with("keyboard"); }));
}

// Without a merge the main toolbar is the first of the topmost dock, wherever it stands in the
// window's order; a form whose toolbars all float takes the first.
TEST(TbxKeyboard, TheMainToolbarIsTheTopmostDocksFirstOrTheFirstFloatingOne) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 640, 480);
  TTBXDock bottom(nullptr), top(nullptr);
  bottom.SetPosition(dpBottom);
  bottom.SetParent(&form);  // before the top dock in the window's order
  top.SetParent(&form);
  std::vector<std::string> log;
  TTBXToolbar low(nullptr), high(nullptr);
  AddItem(*low.Items(), &low, "&Low", log);
  AddItem(*high.Items(), &high, "&High", log);
  low.SetParent(&bottom);
  high.SetParent(&top);
  ASSERT_EQ(TToolbarKeyboard::Toolbars(form).front(), &low);
  EXPECT_EQ(TToolbarKeyboard::MainToolbar(form), &high);
  TForm floating(nullptr);
  floating.SetBounds(0, 0, 640, 480);
  low.SetParent(&floating);
  EXPECT_EQ(TToolbarKeyboard::MainToolbar(floating), &low);
  TForm bare(nullptr);
  TToolbarKeyboard nowhere(bare);
  EXPECT_FALSE(nowhere.Enter());
}

// What the keyboard is asked while it is on no toolbar, or to do what changes nothing, changes
// nothing and tells nobody; a toolbar that is hidden or has nothing to select takes no keyboard.
TEST(TbxKeyboard, TheKeyboardRefusesWhatItCannotDoAndTellsOnlyOfChanges) {
  TKeyboardForm f;
  TToolbarKeyboard keyboard(f.Form);
  keyboard.Activate();
  EXPECT_FALSE(keyboard.ActivateAccessKey('N'));
  keyboard.Highlight(*f.Main.Items()->GetItem(1));
  EXPECT_FALSE(keyboard.Active());
  TTBXToolbar idle(nullptr);
  idle.Items()->Add(new TTBXSeparatorItem(&idle));
  idle.SetParent(&f.Top);
  EXPECT_FALSE(keyboard.Enter(&idle));
  f.Second.Hide();
  EXPECT_FALSE(keyboard.Enter(&f.Second));
  f.TakeLog();

  ASSERT_TRUE(keyboard.Enter(&f.Main));
  EXPECT_EQ(Notices(f.TakeLog()), 1);
  keyboard.CloseMenu();  // none is open
  keyboard.CloseMenus();
  keyboard.Highlight(*f.Main.Items()->GetItem(0));    // highlighted already
  keyboard.Highlight(*f.Second.Items()->GetItem(0));  // another toolbar's
  EXPECT_FALSE(keyboard.ActivateAccessKey('Z'));
  EXPECT_EQ(keyboard.Path(), std::vector<TTBCustomItem*>{f.Main.Items()->GetItem(0)});
  EXPECT_EQ(Notices(f.TakeLog()), 0);
}

// The keyboard's toolbar destroyed while an item it showed lives on (an item another toolbar owns,
// as a merge leaves it): the keyboard shows no path, and leaving tells the form.
TEST(TbxKeyboard, AKeyboardWhoseToolbarWentShowsNoPathAndLeavesItTellingTheForm) {
  TKeyboardForm f;
  TToolbarKeyboard keyboard(f.Form);
  auto* extra = new TTBXToolbar(nullptr);
  auto* lent = new TTBXItem(&f.Main);
  lent->SetCaption("Lent");
  extra->Items()->Add(lent);
  extra->SetParent(&f.Bottom);
  ASSERT_TRUE(keyboard.Enter(extra));
  delete extra;
  EXPECT_TRUE(keyboard.Path().empty());
  f.TakeLog();
  keyboard.Leave();
  EXPECT_EQ(Notices(f.TakeLog()), 1);
  keyboard.Leave();
  EXPECT_EQ(Notices(f.TakeLog()), 0);
}

// In menus: Up and Down go each their way among three items; Left closes a menu inside a menu and
// from a first menu goes to the toolbar's previous item; Right from an item without a menu opens
// the next item's menu. Ctrl with a key takes the keyboard off the toolbar without running an item.
TEST(TbxKeyboard, TheArrowsInMenusGoTheirWaysAndCtrlLeavesTheToolbar) {
  TKeyboardForm f;
  AddItem(*f.Format, &f.Main, "&Underline", f.Log);
  auto* fontCase = new TTBXSubmenuItem(&f.Main);
  fontCase->SetCaption("&Case");
  f.Format->Add(fontCase);
  AddItem(*fontCase, &f.Main, "U&pper", f.Log);
  auto* view = new TTBXSubmenuItem(&f.Main);
  view->SetCaption("&View");
  f.Main.Items()->Insert(4, view);
  AddItem(*view, &f.Main, "&Zoom", f.Log);
  f.Key("Alt");
  f.Key("Right");
  f.Key("Right");  // on Format
  f.Key("Down");
  EXPECT_EQ(f.KeyboardText(), "Main/Fo&rmat/&Bold");
  f.Key("Down");
  EXPECT_EQ(f.KeyboardText(), "Main/Fo&rmat/&Italic");
  f.Key("Up");
  EXPECT_EQ(f.KeyboardText(), "Main/Fo&rmat/&Bold");
  f.Key("Right");  // Bold has no menu: on to View, whose menu opens
  EXPECT_EQ(f.KeyboardText(), "Main/&View/&Zoom");
  f.Key("Left");
  EXPECT_EQ(f.KeyboardText(), "Main/Fo&rmat/&Bold");
  f.Key("End");
  f.Key("Right");  // Case has a menu: it opens
  EXPECT_EQ(f.KeyboardText(), "Main/Fo&rmat/&Case/U&pper");
  f.Key("Left");  // a menu inside a menu closes
  EXPECT_EQ(f.KeyboardText(), "Main/Fo&rmat/&Case");
  f.TakeLog();
  EXPECT_FALSE(f.Key("Ctrl+U"));
  EXPECT_EQ(f.KeyboardText(), "off");
  EXPECT_EQ(f.TakeLog(), std::vector<std::string>{"keyboard off"});
}

// In an upright toolbar's menu Left and Right stay in the menu: the toolbar's neighbours are up and
// down from it.
TEST(TbxKeyboard, InAnUprightToolbarsMenuLeftAndRightStayInTheMenu) {
  TKeyboardForm f;
  TTBXDock left(nullptr);
  left.SetPosition(dpLeft);
  left.SetParent(&f.Form);
  f.Main.SetParent(&left);
  f.Key("Alt");
  f.Key("End");
  f.Key("Right");  // across an upright toolbar: the menu opens
  EXPECT_EQ(f.KeyboardText(), "Main/Fo&rmat/&Bold");
  f.Key("Left");
  EXPECT_EQ(f.KeyboardText(), "Main/Fo&rmat/&Bold");
  f.Key("Right");
  EXPECT_EQ(f.KeyboardText(), "Main/Fo&rmat/&Bold");
}

}  // namespace
