// The page of --serve: one self-contained HTML document (inline CSS and script) that draws the
// window from /api/state and sends the user's clicks and key edits to the API.
#pragma once

const char* ServerPageHtml();
