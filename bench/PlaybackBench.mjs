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

import { median, now, openUntilRed, redMovie, startBrowser, stopBrowser, waitFor } from "./DevToolsBrowser.mjs";

const [viewhost, rufflePackage, runsText] = process.argv.slice(2);
const runs = Number(runsText || 10);
const playerFiles = ["ruffle.js", "core.ruffle.c80159b526e567babaf5.js", "826bb0938097485a2c9d.wasm"];

const work = fs.mkdtempSync(path.join(os.tmpdir(), "swivex-playback-bench-"));

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

const projector = makeProjector();
const folder = await makeFolder(projector);
const cdp = await startBrowser(path.join(work, "profile"));
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
  await stopBrowser(cdp);
  fs.rmSync(work, { recursive: true, force: true, maxRetries: 5 });
}
