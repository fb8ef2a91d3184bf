// What a native backend hears: a setting that changes what a control shows redraws it (or moves
// it), and the same value set again reaches nothing, so a key written at every tick costs no
// drawing.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "TbxDocks.h"
#include "TbxGraphics.h"
#include "TbxRecordingPeers.h"
#include "TbxTextObjects.h"
#include "TbxToolbars.h"

namespace {

TEST(Redraw, AControlsLookAndVisibility) {
  TRecordingPeers peers;
  TWinControl window(nullptr);
  TControl control(nullptr);
  control.SetParent(&window);
  const TPeerLog& log = peers.Watch(control);
  ExpectRedrawnOnlyByChanges(
      log, {{"enabled", [&] { control.SetEnabled(false); }}, {"colour", [&] { control.SetColor(clRed); }}},
      TRedraws::AtLeastOnce);
  control.SetVisible(false);
  control.SetVisible(false);
  EXPECT_EQ(log.VisibleChanges, 1);
  control.SetVisible(true);
  EXPECT_EQ(log.VisibleChanges, 2);
}

TEST(Redraw, ALabelsAlignmentUnderlineAndWrappingAndALinksImage) {
  TRecordingPeers peers;
  TTBXLabel label(nullptr);
  label.SetText("Status");
  const TPeerLog& labelLog = peers.Watch(label);
  ExpectRedrawnOnlyByChanges(labelLog,
                             {{"alignment", [&] { label.SetAlignment(taCenter); }},
                              {"underline", [&] { label.SetUnderline(true); }},
                              {"underline colour", [&] { label.SetUnderlineColor(clBlue); }},
                              {"wrapping", [&] { label.SetWrapping(twWrap); }}},
                             TRedraws::AtLeastOnce);
  TCustomImageList images(nullptr);
  images.Add("a.png");
  images.Add("b.png");
  TTBXLink link(nullptr);
  link.SetText("Open");
  link.SetImages(&images);
  const TPeerLog& linkLog = peers.Watch(link);
  TCustomImageList others(nullptr);
  others.Add("c.png");
  ExpectRedrawnOnlyByChanges(
      linkLog, {{"image index", [&] { link.SetImageIndex(1); }}, {"images", [&] { link.SetImages(&others); }}},
      TRedraws::AtLeastOnce);
}

TEST(Redraw, ADockableWindowsFrameSettings) {
  TRecordingPeers peers;
  TWinControl window(nullptr);
  window.SetBounds(0, 0, 600, 400);
  TTBXDock dock(nullptr);
  dock.SetParent(&window);
  TTBXToolbar toolbar(nullptr);
  toolbar.SetParent(&dock);
  const TPeerLog& log = peers.Watch(toolbar);
  const bool resizable = !toolbar.GetResizable(), caption = !toolbar.GetShowCaption();
  ExpectRedrawnOnlyByChanges(log,
                             {{"close button", [&] { toolbar.SetCloseButton(false); }},
                              {"close button when docked", [&] { toolbar.SetCloseButtonWhenDocked(true); }},
                              {"dock position", [&] { toolbar.SetDockPos(40); }},
                              {"dock row", [&] { toolbar.SetDockRow(1); }},
                              {"resizable", [&] { toolbar.SetResizable(resizable); }},
                              {"caption", [&] { toolbar.SetShowCaption(caption); }},
                              {"full size", [&] { toolbar.SetFullSize(true); }}},
                             TRedraws::AtLeastOnce);
}

// A font counts its changes, which text caches key on; the same value is no change.
TEST(Redraw, AFontChangesOnlyWithADifferentValue) {
  TFont font;
  const TSteps steps{{"name", [&] { font.SetName("Serif"); }},
                     {"size", [&] { font.SetSize(font.GetSize() + 2); }},
                     {"colour", [&] { font.SetColor(clRed); }},
                     {"style", [&] { font.SetStyle({fsBold}); }}};
  for (const auto& [name, step] : steps) {
    std::uint64_t before = TFont::Changes();
    step();
    EXPECT_EQ(TFont::Changes(), before + 1) << name << " changed";
    if (name == "size") continue;  // a step that adds cannot set the same value again
    before = TFont::Changes();
    step();
    EXPECT_EQ(TFont::Changes(), before) << name << " set to what it was";
  }
}

// Assigning a font is one change whichever of its settings differ, and none when they all agree.
TEST(Redraw, AssigningAFontChangesItOnceForAnyDifferenceAndNotForNone) {
  TFont source, target;
  const TSteps steps{{"size", [&] { source.SetSize(source.GetSize() + 2); }},
                     {"colour", [&] { source.SetColor(clRed); }},
                     {"style", [&] { source.SetStyle({fsItalic}); }}};
  for (const auto& [name, step] : steps) {
    step();
    std::uint64_t before = TFont::Changes();
    target.Assign(source);
    EXPECT_EQ(TFont::Changes(), before + 1) << name;
    before = TFont::Changes();
    target.Assign(source);
    EXPECT_EQ(TFont::Changes(), before) << name << " again";
  }
}

TEST(Redraw, AnActionsClientsHearOfEveryChangeAndOfNoSameValue) {
  TComponent client(nullptr);
  TCustomAction action(nullptr);
  int heard = 0;
  action.AddClient(&client, [&] { ++heard; });
  const TSteps steps{{"caption", [&] { action.SetCaption("Open"); }},
                     {"hint", [&] { action.SetHint("Opens a file"); }},
                     {"visible", [&] { action.SetVisible(false); }},
                     {"enabled", [&] { action.SetEnabled(false); }},
                     {"image index", [&] { action.SetImageIndex(3); }}};
  for (const auto& [name, step] : steps) {
    int before = heard;
    step();
    EXPECT_EQ(heard, before + 1) << name << " changed";
    before = heard;
    step();
    EXPECT_EQ(heard, before) << name << " set to what it was";
  }
  action.RemoveClient(&client);
}

}  // namespace
