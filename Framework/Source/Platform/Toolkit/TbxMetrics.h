// The toolkit's look in numbers: every size and gap that the layout uses, in pixels at 96 dpi.
// docs/layout.md draws each of them.
#pragma once

namespace TbxMetrics {

// Text controls
constexpr int GlyphSize = 13;  // the box of a check box, the circle of a radio button
constexpr int GlyphGap = 4;    // between the glyph or image and the text
constexpr int ImageSize = 16;  // images of links, toolbar items and status panels

// Toolbar items
constexpr int ItemPadding = 6;          // before and after a caption
constexpr int ItemImagePadding = 3;     // around an image without a caption
constexpr int ItemVerticalPadding = 3;  // above and below the tallest of image and caption
constexpr int ItemArrowGap = 4;         // between a submenu's caption and its arrow
constexpr int ItemArrowSize = 7;        // the arrow of a submenu item
constexpr int SeparatorThickness = 6;
constexpr int ControlItemMargin = 2;  // around a control on a toolbar

// Toolbars
constexpr int ToolbarBorder = 2;   // docked
constexpr int DragHandleSize = 8;  // docked in a dock that lets toolbars be dragged
constexpr int FloatingBorder = 3;  // toolbars and panels floating as tool windows
constexpr int CaptionPadding = 2;  // above and below a caption bar's text
constexpr int CloseButtonSize = 13;
constexpr int CloseButtonMargin = 2;

// Dockable panels
constexpr int DockedPanelBorder = 1;
constexpr int ResizeEdgeSize = 4;
constexpr int FloatingOffset = 8;  // of an unplaced floating window from its parent's corner

// Docking gestures
constexpr int DockSnapDistance = 12;    // how far inside its edge a dock catches a dragged window
constexpr int FloatingResizeGrip = 4;   // the width of a floating window's border a drag resizes
constexpr int FloatingCornerGrip = 12;  // along each edge from a corner: a drag there resizes both ways
constexpr int MinFloatingClient = 32;   // the least width and height of a floating window's content

// Docks
constexpr int BoundLineSize = 1;

// Status bars
constexpr int StatusBarPadding = 4;  // above and below the tallest of text and image
constexpr int StatusBarTopLine = 1;
constexpr int StatusPanelInset = 2;  // from a panel's edge to its text, image or control
constexpr int StatusPanelFrame = 1;
constexpr int SizeGripSize = 16;

}  // namespace TbxMetrics
