// The page of --serve: one self-contained HTML document (inline CSS and script) that draws the
// window from /api/state and sends the user's clicks and key edits to the API. It is page.html
// beside this header, built in as it stands: the build writes the unit that defines this function.
#pragma once

const char* ServerPageHtml();
