// The served showcase in headless Chromium: the page draws the window, a click on a check box, a
// toggle button and a toolbar item and an edited data key reach the workbench, and the page
// shows what they did without a reload.
import { after, before, test } from "node:test";
import assert from "node:assert/strict";
import { existsSync } from "node:fs";
import { chromiumPath, launchChromium, serveWorkbench, showcaseFile } from "./workbench.mjs";

const noChromium = existsSync(chromiumPath) ? false : `${chromiumPath} is not installed: the browser test is skipped`;
if (noChromium) console.log(`# SKIP ${noChromium}`);
const wait = { timeout: 15_000 };

let served, browser, page;
const requests = [];

before(async () => {
  if (noChromium) return;
  served = await serveWorkbench(showcaseFile());
  browser = await launchChromium();
  page = await browser.context.newPage();
  page.on("request", (request) => requests.push(request.url()));
  await page.goto(served.url, wait);
  await page.waitForSelector("#window .nuv-window", wait);
});

after(async () => {
  await browser?.close();
  if (served) assert.equal(await served.stop(), 0, "the workbench ends with status 0 on SIGTERM");
});

const eventTexts = () => page.locator("#events li").allTextContents();
const keyValue = (key) => page.locator(`input[data-key="${key}"]`).inputValue();
// The page shows the state after an action once the log has grown past the count before it.
async function afterAction(action) {
  const count = Number(await page.getAttribute("body", "data-events"));
  await action();
  await page.waitForFunction((n) => Number(document.body.dataset.events) > n, count, wait);
}

test("the page shows the window, its data keys and the log", { skip: noChromium }, async () => {
  assert.equal(await page.textContent("#title"), "Showcase");
  assert.equal(await keyValue("Status_Msg_Caption"), "Welcome to Showcase");
  assert.ok((await eventTexts()).some((text) => text.startsWith("serving")));
  assert.ok(await page.isVisible('[data-command="click-item MainToolbar New"]'));
});

test("a click on the check box moves it to its next state", { skip: noChromium }, async () => {
  const box = '[data-viewpart="WordWrap"]';
  assert.equal(await page.getAttribute(box, "data-state"), "cbGrayed");
  await afterAction(() => page.click(box));
  assert.equal(await page.getAttribute(box, "data-state"), "cbUnchecked");
  await afterAction(() => page.click(box));
  assert.equal(await page.getAttribute(box, "data-state"), "cbChecked");
  assert.equal(await keyValue("WordWrap_Checked"), "True");
  const events = await eventTexts();
  assert.equal(events.at(-1), 'click {"viewPart":"WordWrap"}');
  assert.ok(events.at(-2).includes("Topic://ViewPart/WordWrap/OnChange"));
});

test("a click on a toggle button shows its panel instead of the first", { skip: noChromium }, async () => {
  const toggle = (n) => `[data-command="click-toggle Tools ${n}"]`;
  assert.equal(await page.getAttribute(toggle(0), "data-checked"), "true");
  await page.click(toggle(1));
  await page.waitForSelector(`${toggle(1)}[data-checked="true"]`, wait);
  assert.equal(await page.getAttribute(toggle(0), "data-checked"), "false");
});

test("a click on a toolbar item runs its command", { skip: noChromium }, async () => {
  await afterAction(() => page.click('[data-command="click-item MainToolbar New"]'));
  assert.equal((await eventTexts()).at(-1), 'command {"id":"File.New"}');
});

test("an edited caption key changes the status panel", { skip: noChromium }, async () => {
  const input = 'input[data-key="Status_Msg_Caption"]';
  await page.fill(input, "Edited in the browser");
  await page.press(input, "Enter");
  await page.waitForSelector('[data-command="click-panel Status 0"]:has-text("Edited in the browser")', wait);
  assert.equal(await keyValue("Status_Msg_Caption"), "Edited in the browser");
  assert.match(await page.textContent("#message"), /set Status_Msg_Caption/);
});

test("a refused command is reported and changes nothing", { skip: noChromium }, async () => {
  const before = await eventTexts();
  await page.fill("#command", "click Nobody");
  await page.press("#command", "Enter");
  await page.waitForSelector("#message:has-text(\"unknown view part 'Nobody'\")", wait);
  assert.deepEqual(await eventTexts(), before);
});

test("the page loads nothing but the workbench's own page and API", { skip: noChromium }, () => {
  assert.ok(requests.length > 0);
  const foreign = requests.filter((url) => !url.startsWith(served.url));
  assert.deepEqual(foreign, []);
});
