// Shared by the browser test and the screenshot: the served workbench and Debian's Chromium.
import { spawn } from "node:child_process";
import { existsSync, mkdtempSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { dirname, join, resolve } from "node:path";
import { createInterface } from "node:readline";
import { fileURLToPath } from "node:url";
import { chromium } from "playwright-core";

export const root = resolve(dirname(fileURLToPath(import.meta.url)), "../..");
export const chromiumPath = "/usr/bin/chromium";
const runner = process.env.NUV_WORKBENCH || join(root, "build/default/bin/nuv-workbench");
const startTimeoutMs = 60_000;

// The showcase, or another example until the showcase exists.
export function showcaseFile() {
  const showcase = join(root, "examples/showcase.xml");
  return existsSync(showcase) ? showcase : join(root, "examples/statusbar.xml");
}

// Starts `nuv-workbench --serve 127.0.0.1:0 [options] appFile`; resolves once its serving line is
// read.
export function serveWorkbench(appFile, options = []) {
  const child = spawn(runner, ["--serve", "127.0.0.1:0", ...options, appFile], { stdio: ["ignore", "pipe", "inherit"] });
  const events = [];
  const stop = () =>
    new Promise((done) => {
      if (child.exitCode !== null || child.signalCode !== null) return done(child.exitCode);
      child.once("exit", (code) => done(code));
      child.kill("SIGTERM");
    });
  return new Promise((done, fail) => {
    const timer = setTimeout(() => {
      child.kill("SIGKILL");
      fail(new Error(`${runner} printed no serving line within ${startTimeoutMs} ms`));
    }, startTimeoutMs);
    child.once("error", (error) => {
      clearTimeout(timer);
      fail(error);
    });
    child.once("exit", (code) => {
      clearTimeout(timer);
      fail(new Error(`${runner} ended with status ${code} before serving`));
    });
    createInterface({ input: child.stdout }).on("line", (line) => {
      const event = JSON.parse(line);
      events.push(event);
      if (event.event !== "serving") return;
      clearTimeout(timer);
      child.removeAllListeners("exit");
      done({ url: event.url, events, stop });
    });
  });
}

// Debian's Chromium, headless, in a fresh profile that close() removes.
export async function launchChromium() {
  const profile = mkdtempSync(join(tmpdir(), "nuv-chromium-"));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: chromiumPath,
    headless: true,
    timeout: 60_000,
    viewport: { width: 1280, height: 860 },
    args: ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--disable-background-networking",
           "--disable-component-update", "--no-first-run", "--disable-sync"],
  });
  const close = async () => {
    await context.close();
    rmSync(profile, { recursive: true, force: true });
  };
  return { context, close };
}
