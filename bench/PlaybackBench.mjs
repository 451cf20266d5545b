// Times a projector from its start to the first red frame of its movie in a browser, against the
// same page and the same player and movie files served from a folder by `python3 -m http.server`
// in the same run: paired runs in turn, one browser for all, the median of the pairs' ratios.
//   node --experimental-websocket bench/PlaybackBench.mjs VIEWHOST RUFFLE_PACKAGE [RUNS]
// VIEWHOST is the Linux player stub (build it for release); RUFFLE_PACKAGE the unpacked player
// package of that build. Run by bench/run-playback-bench.sh.
import { spawn } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import zlib from "node:zlib";

const [viewhost, rufflePackage, runsText] = process.argv.slice(2);
const runs = Number(runsText || 10);
const playerFiles = ["ruffle.js", "core.ruffle.c80159b526e567babaf5.js", "826bb0938097485a2c9d.wasm"];
// The test movie: a red rectangle over most of a white stage (tests/support/RedRectangleMovie.h).
const redMovie = Buffer.from([
  0x46, 0x57, 0x53, 0x0a, 0x4b, 0x00, 0x00, 0x00, 0x78, 0x00, 0x05, 0x5f, 0x00, 0x00, 0x0f,
  0xa0, 0x00, 0x00, 0x18, 0x01, 0x00, 0x43, 0x02, 0xff, 0xff, 0xff, 0xa4, 0x00, 0x01, 0x00,
  0x78, 0x1f, 0x45, 0x20, 0x80, 0x64, 0x0e, 0xd8, 0x00, 0x01, 0x00, 0xff, 0x00, 0x00, 0x00,
  0x10, 0x15, 0xe0, 0x7d, 0x00, 0xc8, 0x7d, 0x13, 0x88, 0x7a, 0x9c, 0x20, 0xf4, 0xb1, 0xe1,
  0xeb, 0x8f, 0x80, 0x00, 0x85, 0x06, 0x02, 0x01, 0x00, 0x01, 0x00, 0x40, 0x00, 0x00, 0x00]);

const work = fs.mkdtempSync(path.join(os.tmpdir(), "swivex-playback-bench-"));
const sleep = (ms) => new Promise((done) => setTimeout(done, ms));
const now = () => performance.now();

async function waitFor(check, what, patience = 30000) {
  const deadline = now() + patience;
  for (;;) {
    const value = await check();
    if (value) return value;
    if (now() > deadline) throw new Error(`gave up waiting for ${what}`);
    await sleep(2);
  }
}

// The projector "red", and an xdg-open that writes down the address that the page it is given
// forwards to (a projector names its address in a file that only its user can read).
function makeProjector() {
  const trailer = Buffer.alloc(8);
  trailer.writeUInt32LE(0xfa123456, 0);
  trailer.writeUInt32LE(redMovie.length, 4);
  const projector = path.join(work, "projector", "red");
  fs.mkdirSync(path.dirname(projector));
  fs.writeFileSync(projector, Buffer.concat([fs.readFileSync(viewhost), redMovie, trailer]), { mode: 0o755 });
  fs.mkdirSync(path.join(work, "bin"));
  fs.writeFileSync(path.join(work, "bin", "xdg-open"),
                   `#!/bin/sh\ngrep -o -m 1 'http://127\\.0\\.0\\.1:[0-9]*/[0-9a-f]*/' "$1" > "${work}/address.partial" && mv "${work}/address.partial" "${work}/address.txt"\n`,
                   { mode: 0o755 });
  return projector;
}

// A browser for every run, driven through the DevTools protocol.
async function startBrowser() {
  const browser = spawn("chromium", [
    "--headless=new", "--no-sandbox", "--disable-gpu", `--user-data-dir=${path.join(work, "profile")}`,
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

// Opens `address` in a new tab and waits for the red frame; returns when it came, and the tab.
async function openUntilRed(cdp, address) {
  const { result } = await cdp.send("Target.createTarget", { url: "about:blank" });
  const attached = await cdp.send("Target.attachToTarget", { targetId: result.targetId, flatten: true });
  const sessionId = attached.result.sessionId;
  await cdp.send("Page.navigate", { url: await address }, sessionId);
  await waitFor(() => middleIsRed(cdp, sessionId), "the red frame");
  return { at: now(), targetId: result.targetId };
}

async function projectorRun(cdp, projector) {
  fs.rmSync(path.join(work, "address.txt"), { force: true });
  const started = now();
  const stub = spawn(projector, [], { env: { ...process.env, PATH: `${work}/bin:${process.env.PATH}` }, stdio: "ignore" });
  const ended = new Promise((done) => stub.on("exit", done));
  const address = waitFor(() => fs.existsSync(path.join(work, "address.txt")) &&
                                fs.readFileSync(path.join(work, "address.txt"), "utf8").trim(), "the page's address");
  const red = await openUntilRed(cdp, address);
  await cdp.send("Target.closeTarget", { targetId: red.targetId });
  await ended;
  return red.at - started;
}

async function folderRun(cdp, folder) {
  const started = now();
  const server = spawn("python3", ["-u", "-m", "http.server", "0", "--bind", "127.0.0.1", "-d", folder],
                       { stdio: ["ignore", "pipe", "ignore"] });
  let said = "";
  server.stdout.on("data", (chunk) => (said += chunk));
  const address = waitFor(() => {
    const port = (said.match(/port (\d+)/) || [])[1];
    return port && `http://127.0.0.1:${port}/`;
  }, "python's server");
  const red = await openUntilRed(cdp, address);
  await cdp.send("Target.closeTarget", { targetId: red.targetId });
  server.kill();
  return red.at - started;
}

// The folder for python: the page the projector serves, the player's files and the movie.
async function makeFolder(projector) {
  const folder = path.join(work, "folder");
  fs.mkdirSync(folder);
  fs.rmSync(path.join(work, "address.txt"), { force: true });
  const stub = spawn(projector, [], { env: { ...process.env, PATH: `${work}/bin:${process.env.PATH}` }, stdio: "ignore" });
  const address = await waitFor(() => fs.existsSync(path.join(work, "address.txt")) &&
                                      fs.readFileSync(path.join(work, "address.txt"), "utf8").trim(), "the page's address");
  fs.writeFileSync(path.join(folder, "index.html"), await (await fetch(address)).text());
  stub.kill();
  for (const file of playerFiles) fs.copyFileSync(path.join(rufflePackage, file), path.join(folder, file));
  fs.writeFileSync(path.join(folder, "red.swf"), redMovie);
  return folder;
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

const projector = makeProjector();
const folder = await makeFolder(projector);
const cdp = await startBrowser();
try {
  await projectorRun(cdp, projector);  // warms the browser and the disk cache up; not counted
  await folderRun(cdp, folder);
  const ratios = [];
  console.log(`start to first red frame, ${runs} pairs in turn; ratio = projector / python3 -m http.server`);
  for (let run = 0; run < runs; ++run) {
    let stub, python;
    if (run % 2 === 0) {
      stub = await projectorRun(cdp, projector);
      python = await folderRun(cdp, folder);
    } else {
      python = await folderRun(cdp, folder);
      stub = await projectorRun(cdp, projector);
    }
    ratios.push(stub / python);
    console.log(`pair ${String(run + 1).padStart(2)}  projector ${stub.toFixed(0).padStart(5)} ms  ` +
                `http.server ${python.toFixed(0).padStart(5)} ms  ratio ${(stub / python).toFixed(2)}`);
  }
  console.log(`median ratio ${median(ratios).toFixed(2)} (goal <= 1.10)`);
} finally {
  cdp.socket.close();
  const closed = new Promise((done) => cdp.browser.on("exit", done));
  cdp.browser.kill();
  await closed;
  fs.rmSync(work, { recursive: true, force: true, maxRetries: 5 });
}
