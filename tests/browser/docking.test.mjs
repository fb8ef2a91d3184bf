// The living window on the served page with a real mouse: a toolbar dragged by its handle shows
// the toolkit's outline and docks where it is dropped, a double-click on a caption floats and
// docks back, a floating panel's border resizes it, and the window's corner resizes the window.
import { after, before, test } from "node:test";
import assert from "node:assert/strict";
import { existsSync } from "node:fs";
import { join } from "node:path";
import { chromiumPath, launchChromium, root, serveWorkbench, showcaseFile } from "./workbench.mjs";

const noChromium = existsSync(chromiumPath) ? false : `${chromiumPath} is not installed: the browser test is skipped`;
if (noChromium) console.log(`# SKIP ${noChromium}`);
const wait = { timeout: 15_000 };

let served, browser, page;

before(async () => {
  if (noChromium) return;
  served = await serveWorkbench(showcaseFile());
  browser = await launchChromium();
  page = await browser.context.newPage();
  await page.goto(served.url, wait);
  await page.waitForSelector("#window .nuv-window", wait);
});

after(async () => {
  await browser?.close();
  if (served) assert.equal(await served.stop(), 0, "the workbench ends with status 0 on SIGTERM");
});

async function state() {
  return page.evaluate(() => fetch("/api/state").then((r) => r.json()));
}

// The window as the server dumps it, once pass(window) holds or after a few seconds.
async function stateWhen(pass) {
  let window = (await state()).window;
  for (let tries = 0; tries < 50 && !pass(window); ++tries) {
    await new Promise((resolve) => setTimeout(resolve, 100));
    window = (await state()).window;
  }
  return window;
}

// The control of that name in the dumped window.
function named(control, name) {
  if (control.Name === name) return control;
  for (const child of control.Controls || []) {
    const found = named(child, name);
    if (found) return found;
  }
  return null;
}

function parentOf(control, name) {
  for (const child of control.Controls || []) {
    if (child.Name === name) return control.Name;
    const found = parentOf(child, name);
    if (found) return found;
  }
  return null;
}

// Where a point of the window's own coordinates lies on the page.
async function onPage(x, y) {
  const body = await page.locator("#window .nuv-body").boundingBox();
  return { x: body.x + x, y: body.y + y };
}

test("a toolbar dragged by its handle shows the outline and docks where it is dropped", { skip: noChromium }, async () => {
  const handle = await page.locator('.nuv-handle[data-drag-command="drag-start MainToolbar"]').boundingBox();
  const window = (await state()).window;
  const statusTop = named(window, "Status").Top;
  await page.mouse.move(handle.x + handle.width / 2, handle.y + handle.height / 2);
  await page.mouse.down();
  const target = await onPage(400, statusTop - 4);
  await page.mouse.move(target.x, target.y, { steps: 8 });
  await page.waitForSelector("#window .nuv-drag-outline", wait);
  // The page sends a move while none is in flight: the last one may land after the outline shows.
  const during = await stateWhen((window) => window.Drag?.Dock === "BottomDock");
  assert.equal(during.Drag.Window, "MainToolbar");
  assert.equal(during.Drag.Dock, "BottomDock");
  assert.equal(parentOf(during, "MainToolbar"), "TopDock", "nothing moves before the drop");
  await page.screenshot({ path: join(root, "build/page-drag.png") });
  await page.mouse.up();
  await page.waitForSelector("#window .nuv-drag-outline", { state: "detached", ...wait });
  await page.waitForFunction(() => document.querySelector("#message")?.textContent.includes("drag-end: dock"), null, wait);
  assert.equal(parentOf((await state()).window, "MainToolbar"), "BottomDock");
});

test("a double-click on a caption floats a docked window and docks it back", { skip: noChromium }, async () => {
  await page.dblclick('.nuv-handle[data-drag-command="drag-start MainToolbar"]');
  await page.waitForFunction(() => document.querySelector("#message")?.textContent.includes("dblclick-caption MainToolbar: float"), null, wait);
  assert.equal(named((await state()).window, "MainToolbar").Floating, true);
  await page.dblclick('.nuv-caption[data-drag-command="drag-start MainToolbar"]');
  await page.waitForFunction(() => document.querySelector("#message")?.textContent.includes("dblclick-caption MainToolbar: dock"), null, wait);
  assert.equal(parentOf((await state()).window, "MainToolbar"), "BottomDock");
});

test("a floating panel's border resizes it", { skip: noChromium }, async () => {
  const before = named((await state()).window, "Properties");
  const box = await page.locator('.nuv-floating[data-viewpart="Properties"]').boundingBox();
  const y = box.y + box.height / 2;
  await page.mouse.move(box.x + box.width - 2, y);
  await page.mouse.down();
  await page.mouse.move(box.x + box.width + 40, y, { steps: 5 });
  await page.mouse.up();
  await page.waitForFunction(() => document.querySelector("#message")?.textContent.includes("resize-floating Properties"), null, wait);
  const after = named((await state()).window, "Properties");
  assert.equal(after.Width, before.Width + 42);
  assert.equal(after.Left, before.Left);
});

test("the window's corner resizes the window, not below its minimum", { skip: noChromium }, async () => {
  const corner = await page.locator("[data-window-resize]").boundingBox();
  await page.mouse.move(corner.x + 6, corner.y + 6);
  await page.mouse.down();
  await page.mouse.move(corner.x + 6 - 100, corner.y + 6 - 60, { steps: 5 });
  await page.mouse.up();
  await page.waitForFunction(() => document.querySelector("#message")?.textContent.includes("window-resize"), null, wait);
  const window = (await state()).window;
  assert.deepEqual([window.Width, window.Height], [700, 540]);
  assert.equal(named(window, "Status").Top + named(window, "Status").Height, 540);
  assert.equal((await page.locator("#window .nuv-body").boundingBox()).width, 700);
});
