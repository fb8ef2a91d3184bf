// docs/showcase.png: the served showcase as headless Chromium draws it.
import { join } from "node:path";
import { launchChromium, root, serveWorkbench, showcaseFile } from "./workbench.mjs";

const output = process.argv[2] || join(root, "docs/showcase.png");
const served = await serveWorkbench(showcaseFile());
const browser = await launchChromium();
try {
  const page = await browser.context.newPage();
  await page.goto(served.url, { timeout: 15_000 });
  await page.waitForSelector("#window .nuv-window", { timeout: 15_000 });
  await page.locator("main").screenshot({ path: output });
  console.log(`wrote ${output}`);
} finally {
  await browser.close();
  await served.stop();
}
