// What the playback benchmarks share: one headless chromium driven through its DevTools protocol
// (node --experimental-websocket), the wait for the first red frame of the test movie, and the
// median of the pairs' ratios.
import { spawn } from "node:child_process";
import zlib from "node:zlib";

// The test movie: a red rectangle over most of a white stage (tests/support/RedRectangleMovie.h).
export const redMovie = Buffer.from([
  0x46, 0x57, 0x53, 0x0a, 0x4b, 0x00, 0x00, 0x00, 0x78, 0x00, 0x05, 0x5f, 0x00, 0x00, 0x0f,
  0xa0, 0x00, 0x00, 0x18, 0x01, 0x00, 0x43, 0x02, 0xff, 0xff, 0xff, 0xa4, 0x00, 0x01, 0x00,
  0x78, 0x1f, 0x45, 0x20, 0x80, 0x64, 0x0e, 0xd8, 0x00, 0x01, 0x00, 0xff, 0x00, 0x00, 0x00,
  0x10, 0x15, 0xe0, 0x7d, 0x00, 0xc8, 0x7d, 0x13, 0x88, 0x7a, 0x9c, 0x20, 0xf4, 0xb1, 0xe1,
  0xeb, 0x8f, 0x80, 0x00, 0x85, 0x06, 0x02, 0x01, 0x00, 0x01, 0x00, 0x40, 0x00, 0x00, 0x00]);

const sleep = (ms) => new Promise((done) => setTimeout(done, ms));
export const now = () => performance.now();

export async function waitFor(check, what, patience = 30000) {
  const deadline = now() + patience;
  for (;;) {
    const value = await check();
    if (value) return value;
    if (now() > deadline) throw new Error(`gave up waiting for ${what}`);
    await sleep(2);
  }
}

export const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// A browser for every run, with its profile in `profile`, driven through the DevTools protocol.
export async function startBrowser(profile) {
  const browser = spawn("chromium", [
    "--headless=new", "--no-sandbox", "--disable-gpu", `--user-data-dir=${profile}`,
    "--no-first-run", "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--autoplay-policy=no-user-gesture-required", "--window-size=800,600", "--remote-debugging-port=0",
    "about:blank"], { stdio: ["ignore", "ignore", "pipe"] });
  let log = "";
  browser.stderr.on("data", (chunk) => (log += chunk));
  const address = await waitFor(() => (log.match(/ws:\/\/\S+/) || [])[0], "the browser's DevTools");
  const socket = new WebSocket(address);
  await new Promise((opened) => socket.addEventListener("open", opened));
  let next = 1;
  const pending = new Map();
  socket.addEventListener("message", (event) => {
    const message = JSON.parse(event.data);
    if (message.id && pending.has(message.id)) {
      pending.get(message.id)(message);
      pending.delete(message.id);
    }
  });
  const send = (method, params = {}, sessionId = undefined) =>
    new Promise((answered) => {
      const id = next++;
      pending.set(id, answered);
      socket.send(JSON.stringify({ id, method, params, sessionId }));
    });
  return { browser, socket, send };
}

// Closes the browser and waits until it has gone.
export async function stopBrowser(cdp) {
  cdp.socket.close();
  const closed = new Promise((done) => cdp.browser.on("exit", done));
  cdp.browser.kill();
  await closed;
}

// Whether the pixel in the middle of the page is red: a 1 x 1 screenshot, whose one row a PNG
// filter leaves as it is.
async function middleIsRed(cdp, sessionId) {
  const shot = await cdp.send("Page.captureScreenshot",
                              { format: "png", clip: { x: 400, y: 300, width: 1, height: 1, scale: 1 } },
                              sessionId);
  if (!shot.result) return false;
  const png = Buffer.from(shot.result.data, "base64");
  const chunks = [];
  for (let at = 8; at < png.length;) {
    const length = png.readUInt32BE(at);
    if (png.toString("ascii", at + 4, at + 8) === "IDAT") chunks.push(png.subarray(at + 8, at + 8 + length));
    at += 12 + length;
  }
  const row = zlib.inflateSync(Buffer.concat(chunks));
  return row[1] > 200 && row[2] < 60 && row[3] < 60;
}

// Opens `address` (a promise of it) in a new tab and waits for the red frame; returns when it
// came, the tab and its session.
export async function openUntilRed(cdp, address) {
  const { result } = await cdp.send("Target.createTarget", { url: "about:blank" });
  const attached = await cdp.send("Target.attachToTarget", { targetId: result.targetId, flatten: true });
  const sessionId = attached.result.sessionId;
  await cdp.send("Page.navigate", { url: await address }, sessionId);
  await waitFor(() => middleIsRed(cdp, sessionId), "the red frame");
  return { at: now(), targetId: result.targetId, sessionId };
}
