// What the browser benchmarks share: waiting with a deadline, the DevTools protocol over the
// socket that a browser's log names, and the one pixel that says the movie's red frame is drawn.
import zlib from "node:zlib";

export const sleep = (ms) => new Promise((done) => setTimeout(done, ms));
export const now = () => performance.now();
export const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

export async function waitFor(check, what, patience = 30000) {
  const deadline = now() + patience;
  for (;;) {
    const value = await check();
    if (value) return value;
    if (now() > deadline) throw new Error(`gave up waiting for ${what}`);
    await sleep(2);
  }
}

// The DevTools protocol of the browser whose log (read by `readLog`) names its address:
// `send(method, params, sessionId)` answers with the browser's reply.
export async function connect(readLog) {
  const address = await waitFor(() => (readLog().match(/ws:\/\/\S+/) || [])[0], "the browser's DevTools");
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
  return { socket, send };
}

// Whether the pixel in the middle of an 800 x 600 page is red: a 1 x 1 screenshot, whose one row
// a PNG filter leaves as it is.
export async function middleIsRed(cdp, sessionId) {
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
