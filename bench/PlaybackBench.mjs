// Times a projector from its start to the first red frame of its movie in a browser, against the
// same page and the same player and movie files served from a folder by `python3 -m http.server`
// in the same run: paired runs in turn, the median of the pairs' ratios. Each run starts a
// browser of its own, as a projector does, with a profile that every run of its half reuses: the
// projector's own profile folder, the static server's.
//   node --experimental-websocket bench/PlaybackBench.mjs VIEWHOST RUFFLE_PACKAGE [RUNS]
// VIEWHOST is the Linux player stub (build it for release); RUFFLE_PACKAGE the unpacked player
// package of that build. Run by bench/run-playback-bench.sh.
import { spawn } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { connect, median, middleIsRed, now, waitFor } from "./DevToolsClient.mjs";

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
const browserSwitches = [
  "--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking",
  "--disable-component-update", "--disable-sync", "--autoplay-policy=no-user-gesture-required",
  "--window-size=800,600", "--remote-debugging-port=0"];
const projectorProfile = path.join(work, "projector-profile");
const staticProfile = path.join(work, "static-profile");

// The projector "red", and an xdg-open that writes down the address that the page it is given
// forwards to (a projector names its address in a file that only its user can read) and, when
// the bench asks for it, starts the browser on that page with the projector's profile, its log
// (which names its DevTools address) in browser.log and its process in browser.pid.
function makeProjector() {
  const trailer = Buffer.alloc(8);
  trailer.writeUInt32LE(0xfa123456, 0);
  trailer.writeUInt32LE(redMovie.length, 4);
  const projector = path.join(work, "projector", "red");
  fs.mkdirSync(path.dirname(projector));
  fs.writeFileSync(projector, Buffer.concat([fs.readFileSync(viewhost), redMovie, trailer]), { mode: 0o755 });
  fs.mkdirSync(path.join(work, "bin"));
  fs.writeFileSync(path.join(work, "bin", "xdg-open"),
                   `#!/bin/sh\ngrep -o -m 1 'http://127\\.0\\.0\\.1:[0-9]*/[0-9a-f]*/' "$1" > "${work}/address.partial" && mv "${work}/address.partial" "${work}/address.txt"\n` +
                   `[ -e "${work}/start-browser" ] || exit 0\n` +
                   `echo $$ > "${work}/browser.pid"\n` +
                   `exec chromium ${browserSwitches.join(" ")} --user-data-dir="${projectorProfile}" "$1" 2> "${work}/browser.log"\n`,
                   { mode: 0o755 });
  return projector;
}

// The DevTools protocol of the browser whose log names its address, on the page it shows.
async function attach(readLog) {
  const { socket, send } = await connect(readLog);
  // Once the page is served: a session attached while the browser was still on the forwarding
  // file never gets a picture of the page it goes on to.
  const page = await waitFor(async () => {
    const { result } = await send("Target.getTargets");
    return result && result.targetInfos.find((target) => target.type === "page" &&
                                                         target.url.startsWith("http://127.0.0.1:"));
  }, "the browser's page");
  const attached = await send("Target.attachToTarget", { targetId: page.targetId, flatten: true });
  return { socket, send, sessionId: attached.result.sessionId };
}

// Ends the browser and waits until its process has gone: the page's stream goes with it.
async function endBrowser(cdp, pid) {
  cdp.socket.close();
  process.kill(pid);
  await waitFor(() => {
    try {
      process.kill(pid, 0);
      return false;
    } catch {
      return true;
    }
  }, "the browser's end");
}

// The projector, which starts its browser on its page through xdg-open.
async function projectorRun(projector) {
  for (const file of ["address.txt", "browser.log", "browser.pid"]) fs.rmSync(path.join(work, file), { force: true });
  const started = now();
  const stub = spawn(projector, [], { env: { ...process.env, PATH: `${work}/bin:${process.env.PATH}` }, stdio: "ignore" });
  const ended = new Promise((done) => stub.on("exit", done));
  const log = path.join(work, "browser.log");
  const cdp = await attach(() => (fs.existsSync(log) ? fs.readFileSync(log, "utf8") : ""));
  await waitFor(() => middleIsRed(cdp, cdp.sessionId), "the red frame");
  const red = now();
  // The browser runs as the launcher's process, which the stub reaps; the stub ends a few seconds
  // after its page.
  await endBrowser(cdp, Number(fs.readFileSync(path.join(work, "browser.pid"), "utf8")));
  await ended;
  return red - started;
}

// The static server, and a browser started on its page once it says its port.
async function folderRun(folder) {
  const started = now();
  const server = spawn("python3", ["-u", "-m", "http.server", "0", "--bind", "127.0.0.1", "-d", folder],
                       { stdio: ["ignore", "pipe", "ignore"] });
  let said = "";
  server.stdout.on("data", (chunk) => (said += chunk));
  const address = await waitFor(() => {
    const port = (said.match(/port (\d+)/) || [])[1];
    return port && `http://127.0.0.1:${port}/`;
  }, "python's server");
  const browser = spawn("chromium", [...browserSwitches, `--user-data-dir=${staticProfile}`, address],
                        { stdio: ["ignore", "ignore", "pipe"] });
  let log = "";
  browser.stderr.on("data", (chunk) => (log += chunk));
  const cdp = await attach(() => log);
  await waitFor(() => middleIsRed(cdp, cdp.sessionId), "the red frame");
  const red = now();
  await endBrowser(cdp, browser.pid);
  server.kill();
  return red - started;
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
  fs.writeFileSync(path.join(folder, "icon.ico"), Buffer.from(await (await fetch(`${address}icon.ico`)).arrayBuffer()));
  stub.kill();
  for (const file of playerFiles) fs.copyFileSync(path.join(rufflePackage, file), path.join(folder, file));
  fs.writeFileSync(path.join(folder, "red.swf"), redMovie);
  return folder;
}


const projector = makeProjector();
const folder = await makeFolder(projector);
fs.writeFileSync(path.join(work, "start-browser"), "");
try {
  // Each half once, not counted: the profiles are made, the disk cache is warmed up.
  await projectorRun(projector);
  await folderRun(folder);
  const ratios = [];
  console.log(`start to first red frame, ${runs} pairs in turn, a browser started in each run; ` +
              "ratio = projector / python3 -m http.server");
  for (let run = 0; run < runs; ++run) {
    let stub, python;
    if (run % 2 === 0) {
      stub = await projectorRun(projector);
      python = await folderRun(folder);
    } else {
      python = await folderRun(folder);
      stub = await projectorRun(projector);
    }
    ratios.push(stub / python);
    console.log(`pair ${String(run + 1).padStart(2)}  projector ${stub.toFixed(0).padStart(5)} ms  ` +
                `http.server ${python.toFixed(0).padStart(5)} ms  ratio ${(stub / python).toFixed(2)}`);
  }
  console.log(`median ratio ${median(ratios).toFixed(2)} (goal <= 1.10)`);
} finally {
  fs.rmSync(work, { recursive: true, force: true, maxRetries: 5 });
}
