// How soon the page takes keys, from its own performance timeline: the time of its "lumo-ready"
// mark (set when the engine has started and the keys are wired) after the start of navigation,
// over several loads in headless Chromium, each in a fresh page; and the page's size, gzip.
//
//   scripts/web-bench.sh [--loads N]
"use strict";
const fs = require("fs");
const http = require("http");
const path = require("path");
const zlib = require("zlib");
const puppeteer = require("puppeteer-core");

const args = { loads: "15" };
for (let i = 2; i + 1 < process.argv.length; i += 2) args[process.argv[i].replace(/^--/, "")] = process.argv[i + 1];

function serve(folder) {
  const server = http.createServer((request, response) => {
    const file = path.join(folder, path.basename(request.url.split("?")[0]) || "index.html");
    fs.readFile(file, (error, data) => {
      const type = { ".html": "text/html", ".css": "text/css", ".js": "text/javascript" }[path.extname(file)];
      response.writeHead(error ? 404 : 200, { "Content-Type": type || "application/octet-stream" });
      response.end(error ? "" : data);
    });
  });
  return new Promise((resolve) => server.listen(0, "127.0.0.1", () => resolve(server)));
}

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = sorted.length >> 1;
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};

async function main() {
  const files = ["index.html", "lumo.css", "lumo.js", "lumo-engine.js"];
  let raw = 0;
  let gzipped = 0;
  for (const file of files) {
    const bytes = fs.readFileSync(path.join(args.page, file));
    raw += bytes.length;
    gzipped += zlib.gzipSync(bytes, { level: 9 }).length;
  }
  console.log(`page and engine: ${raw} bytes, ${gzipped} bytes gzip (${files.join(", ")})`);

  const server = await serve(args.page);
  const browser = await puppeteer.launch({ executablePath: "/usr/bin/chromium", headless: true, args: ["--no-sandbox"] });
  try {
    const urls = {
      "file://": "file://" + path.resolve(args.page, "index.html"),
      "http://": `http://127.0.0.1:${server.address().port}/index.html`,
    };
    for (const [how, url] of Object.entries(urls)) {
      const times = [];
      for (let i = 0; i < Number(args.loads); ++i) {
        const page = await browser.newPage();
        await page.setCacheEnabled(false);
        await page.goto(url);
        await page.waitForSelector("body.ready");
        times.push(await page.evaluate(() => performance.getEntriesByName("lumo-ready")[0].startTime));
        await page.close();
      }
      const shown = times.map((t) => t.toFixed(1)).join(" ");
      console.log(`${how} ready for keys after ${median(times).toFixed(1)} ms (median of ${times.length} loads: ${shown})`);
    }
  } finally {
    await browser.close();
    server.close();
  }
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
