// What a user does on the served page with a real mouse: a double-click, a right-click, the close
// button, dragging a panel's edge; each gesture's events shown below it; the window whole at
// common widths; and --watch bringing a changed application file into the open page.
import { after, before, test } from "node:test";
import assert from "node:assert/strict";
import { existsSync, mkdtempSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { chromiumPath, launchChromium, serveWorkbench, showcaseFile } from "./workbench.mjs";

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

// The events the workbench logged from the given index on, as the state holds them.
async function eventsSince(count) {
  const state = await page.evaluate(() => fetch("/api/state").then((r) => r.json()));
  return state.events.slice(count - state.eventsDropped);
}

const eventCount = async () => Number(await page.getAttribute("body", "data-events"));

// Waits until the page shows at least `more` events past `count`.
async function shownPast(count, more) {
  await page.waitForFunction(([n, m]) => Number(document.body.dataset.events) >= n + m, [count, more], wait);
}

test("a double-click sends one click and one dblclick, never two clicks", { skip: noChromium }, async () => {
  const count = await eventCount();
  await page.dblclick('[data-viewpart="Heading"]');
  await shownPast(count, 2);
  await page.waitForTimeout(300);  // nothing more may come
  const names = (await eventsSince(count)).map((event) => event.event);
  assert.deepEqual(names, ["click", "dblclick"]);
});

test("a right-click asks for the context menu and keeps the browser's own shut", { skip: noChromium }, async () => {
  const count = await eventCount();
  await page.click('[data-viewpart="Hint"]', { button: "right" });
  await shownPast(count, 1);
  const events = await eventsSince(count);
  assert.deepEqual(events.map((event) => [event.event, event.viewPart]), [["popup", "Hint"]]);
  await page.waitForSelector('#message:has-text("popup Hint: popup")', wait);
});

test("the events of a gesture stand below it in the log", { skip: noChromium }, async () => {
  const count = await eventCount();
  await page.click('[data-command="click-item MainToolbar New"]');
  await shownPast(count, 1);
  const [event] = await eventsSince(count);
  assert.match(event.cause, /^request \d+$/);
  const header = page.locator(`#events li.cause[data-cause="${event.cause}"]`);
  assert.equal(await header.textContent(), `click-item MainToolbar New (${event.cause})`);
  const next = header.locator("xpath=following-sibling::li[1]");
  assert.equal(await next.textContent(), 'command {"id":"File.New"}');
});

test("the close button closes a floating panel", { skip: noChromium }, async () => {
  assert.equal(await page.locator('[data-viewpart="Properties"]').count(), 1);
  await page.click('[data-command="click-close Properties"]');
  await page.waitForSelector('[data-viewpart="Properties"]', { state: "detached", ...wait });
  await page.waitForSelector('#message:has-text("click-close Properties")', wait);
});

test("dragging a docked panel's edge resizes it", { skip: noChromium }, async () => {
  const edge = page.locator('[data-resize-command="resize-docked Files"]');
  assert.equal(await edge.getAttribute("data-size"), "170");
  const box = await edge.boundingBox();
  const x = box.x + box.width / 2, y = box.y + box.height / 2;
  await page.mouse.move(x, y);
  await page.mouse.down();
  await page.mouse.move(x + 25, y, { steps: 5 });
  await page.mouse.move(x + 50, y, { steps: 5 });
  await page.mouse.up();
  await page.waitForSelector('[data-resize-command="resize-docked Files"][data-size="220"]', wait);
  const panel = page.locator('[data-viewpart="Files"]');
  assert.equal((await panel.boundingBox()).width, 214);  // the panel's client: 220 less frame and edge
});

for (const width of [1280, 1024]) {
  test(`at ${width} pixels the window is not clipped`, { skip: noChromium }, async () => {
    await page.setViewportSize({ width, height: 860 });
    const boxes = await page.evaluate(() => {
      const box = (element) => element.getBoundingClientRect().toJSON();
      const section = document.querySelector("main > section");
      return {
        window: box(document.querySelector(".nuv-window")),
        section: box(section),
        scrolls: section.scrollWidth > section.clientWidth,
        side: box(document.querySelector("main > div")),
        page: document.documentElement.scrollWidth,
      };
    });
    assert.ok(boxes.window.right <= width, `the window ends at ${boxes.window.right}`);
    assert.ok(boxes.window.right <= boxes.section.right, "the window lies in its box");
    assert.equal(boxes.scrolls, false);
    assert.ok(boxes.side.left >= boxes.window.right || boxes.side.top >= boxes.window.bottom, "nothing lies over it");
    assert.ok(boxes.page <= width, "the page needs no sideways scrolling");
  });
}

test("--watch brings a changed application file into the open page", { skip: noChromium }, async () => {
  const dir = mkdtempSync(join(tmpdir(), "nuv-watch-"));
  const file = join(dir, "app.xml");
  const app = (caption) =>
    `<Workbench Name="Watched"><WorkItem ID="Main"><ViewPart Name="Title" Factory="CreateLabelViewPart" Caption="${caption}"/></WorkItem></Workbench>\n`;
  writeFileSync(file, app("First version"));
  const watched = await serveWorkbench(file, ["--watch"]);
  const watchPage = await browser.context.newPage();
  try {
    let navigations = 0;
    watchPage.on("framenavigated", () => navigations++);
    await watchPage.goto(watched.url, wait);
    await watchPage.waitForSelector('[data-viewpart="Title"]:has-text("First version")', wait);
    const loaded = navigations;

    writeFileSync(file, app("Second version"));
    await watchPage.waitForSelector('[data-viewpart="Title"]:has-text("Second version")', wait);
    await watchPage.waitForSelector('#events li.cause[data-cause="reload 1"]', wait);

    writeFileSync(file, "<Workbench><WorkItem ID=");
    await watchPage.waitForSelector("#events li.ev-error", wait);
    await watchPage.waitForSelector('#events li.cause[data-cause="reload 2"]', wait);
    assert.equal(await watchPage.textContent('[data-viewpart="Title"]'), "Second version");
    assert.equal(navigations, loaded, "the page was not loaded again");
  } finally {
    await watchPage.close();
    assert.equal(await watched.stop(), 0);
    rmSync(dir, { recursive: true, force: true });
  }
});
