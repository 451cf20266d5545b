// Times the screen saver from its start (Glowdrift.scr /s) to the first red frame of its movie in
// a browser, against a projector of the same movie from its start to the same frame, both under
// Wine: paired runs in turn, one headless chromium for all, the median of the pairs' ratios.
// Both find Chrome through App Paths, where a stand-in (tests/screensaver-module/BrowserStandIn.cpp)
// hands the page's address on to Wine's browser setting, a script that writes it down for this
// one to open.
//   node --experimental-websocket bench/SaverBench.mjs WORK [RUNS]
// WORK holds projector/red.exe, saver/Glowdrift.scr with saver/Glowdrift.swf, and the address
// file that the script writes (address.txt); run by bench/run-saver-bench.sh, which makes them
// and the Wine session whose variables this one inherits.
import { spawn, spawnSync } from "node:child_process";
import fs from "node:fs";
import path from "node:path";
import { connect, median, middleIsRed, now, waitFor } from "./DevToolsClient.mjs";

// One browser for all runs, with its profile in `profile`, driven through the DevTools protocol.
async function startBrowser(profile) {
  const browser = spawn("chromium", [
    "--headless=new", "--no-sandbox", "--disable-gpu", `--user-data-dir=${profile}`,
    "--no-first-run", "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--autoplay-policy=no-user-gesture-required", "--window-size=800,600", "--remote-debugging-port=0",
    "about:blank"], { stdio: ["ignore", "ignore", "pipe"] });
  let log = "";
  browser.stderr.on("data", (chunk) => (log += chunk));
  return { browser, ...(await connect(() => log)) };
}

// Closes the browser and waits until it has gone.
async function stopBrowser(cdp) {
  cdp.socket.close();
  const closed = new Promise((done) => cdp.browser.on("exit", done));
  cdp.browser.kill();
  await closed;
}

// Opens `address` (a promise of it) in a new tab and waits for the red frame; returns when it
// came, the tab and its session.
async function openUntilRed(cdp, address) {
  const { result } = await cdp.send("Target.createTarget", { url: "about:blank" });
  const attached = await cdp.send("Target.attachToTarget", { targetId: result.targetId, flatten: true });
  const sessionId = attached.result.sessionId;
  await cdp.send("Page.navigate", { url: await address }, sessionId);
  await waitFor(() => middleIsRed(cdp, sessionId), "the red frame");
  return { at: now(), targetId: result.targetId, sessionId };
}

const [work, runsText] = process.argv.slice(2);
const runs = Number(runsText || 10);
const addressFile = path.join(work, "address.txt");
const projector = path.join(work, "projector", "red.exe");
const saver = path.join(work, "saver", "Glowdrift.scr");

// Starts a Windows program under Wine with the stand-in told to hand the address on; the time of
// its start, a promise of its end, and a promise of the page's address.
function startUnderWine(program, args) {
  fs.rmSync(addressFile, { force: true });
  const started = now();
  const child = spawn("wine", [program, ...args], {
    env: { ...process.env, GLOWDRIFT_STAND_IN: "open" }, stdio: "ignore" });
  const ended = new Promise((done) => child.on("exit", done));
  const address = waitFor(() => fs.existsSync(addressFile) && fs.readFileSync(addressFile, "utf8").trim(),
                          "the page's address", 60000);
  const addressed = address.then(() => now() - started);
  return { started, ended, address, addressed };
}

// A projector ends a few seconds after its page has gone; its browser, the stand-in, stays.
async function projectorRun(cdp) {
  const run = startUnderWine(projector, []);
  const red = await openUntilRed(cdp, run.address);
  await cdp.send("Target.closeTarget", { targetId: red.targetId });
  await run.ended;
  spawnSync("wine", ["taskkill", "/F", "/IM", "chrome.exe"], { stdio: "ignore" });
  return { time: red.at - run.started, address: await run.addressed };
}

// The saver ends on a key in its page, its browser with it. Keys in its first second are
// ignored: the key is given again until it has ended.
async function saverRun(cdp) {
  const run = startUnderWine(saver, ["/s"]);
  const red = await openUntilRed(cdp, run.address);
  let ended = false;
  run.ended.then(() => (ended = true));
  await waitFor(async () => {
    if (!ended)
      await cdp.send("Input.dispatchKeyEvent",
                     { type: "keyDown", key: "a", code: "KeyA", windowsVirtualKeyCode: 65 }, red.sessionId);
    return ended;
  }, "the saver's end");
  await cdp.send("Target.closeTarget", { targetId: red.targetId });
  return { time: red.at - run.started, address: await run.addressed };
}

const cdp = await startBrowser(path.join(work, "profile"));
try {
  await projectorRun(cdp);  // warms Wine, the browser and the disk cache up; not counted
  await saverRun(cdp);
  const ratios = [];
  console.log(`start to first red frame under Wine, ${runs} pairs in turn; ratio = saver / projector` +
              " (in brackets: when the page's address reached the browser)");
  const shown = (run) => `${run.time.toFixed(0).padStart(5)} ms (${run.address.toFixed(0).padStart(5)} ms)`;
  for (let run = 0; run < runs; ++run) {
    let projectorTimes, saverTimes;
    if (run % 2 === 0) {
      projectorTimes = await projectorRun(cdp);
      saverTimes = await saverRun(cdp);
    } else {
      saverTimes = await saverRun(cdp);
      projectorTimes = await projectorRun(cdp);
    }
    const ratio = saverTimes.time / projectorTimes.time;
    ratios.push(ratio);
    console.log(`pair ${String(run + 1).padStart(2)}  saver ${shown(saverTimes)}  ` +
                `projector ${shown(projectorTimes)}  ratio ${ratio.toFixed(2)}`);
  }
  console.log(`median ratio ${median(ratios).toFixed(2)} (goal <= 1.10)`);
} finally {
  await stopBrowser(cdp);
}
