// The page in headless Chromium, found and read by the accessible names that are its contract:
// the engine's scenario rows clicked through the keypad (from http:// and from file://), the
// names of the controls against the window's menu, the clipboard, user modes from a settings
// text, the keyboard alone, the help page, the size of the page, and screenshots.
//
//   node page_test.js --page DIR --rows JSON --screenshots DIR --source REPOSITORY [--only file]
//
// --only file opens the page from file:// alone and plays the rows there (an unpacked zip).
"use strict";
Error.stackTraceLimit = 40;
const fs = require("fs");
const http = require("http");
const path = require("path");
const zlib = require("zlib");
const puppeteer = require("puppeteer-core");

const args = {};
for (let i = 2; i + 1 < process.argv.length; i += 2) args[process.argv[i].replace(/^--/, "")] = process.argv[i + 1];
const sourceFile = (name) => fs.readFileSync(path.join(args.source, name), "latin1");

let passed = 0;
let failed = 0;
function expectEqual(got, wanted, what) {
  if (JSON.stringify(got) === JSON.stringify(wanted)) {
    ++passed;
  } else {
    ++failed;
    console.log(`FAIL ${what}\n  got:    ${JSON.stringify(got)}\n  wanted: ${JSON.stringify(wanted)}`);
  }
}

const byName = (name, role) => `::-p-aria([name=${JSON.stringify(name)}][role="${role}"])`;

// The page's folder over http on 127.0.0.1, as any static server serves it.
function serve(folder) {
  const types = { ".html": "text/html", ".css": "text/css", ".js": "text/javascript" };
  const server = http.createServer((request, response) => {
    const file = path.join(folder, path.normalize(decodeURIComponent(request.url.split("?")[0])).replace(/^(\.\.[/\\])+/, ""));
    fs.readFile(file.endsWith(path.sep) ? path.join(file, "index.html") : file, (error, data) => {
      response.writeHead(error ? 404 : 200, { "Content-Type": types[path.extname(file)] || "application/octet-stream" });
      response.end(error ? "" : data);
    });
  });
  return new Promise((resolve) => server.listen(0, "127.0.0.1", () => resolve(server)));
}

// The Setup menu of the window's resource script: the modes' items and the option names.
function setupMenu() {
  const rc = sourceFile("shell/vexo.rc");
  const items = [...rc.matchAll(/(?:MENUITEM|POPUP) "([^"]*)"(?:, (\w+))?/g)].map(([, text, id]) => ({
    text: text.split("\\t")[0].replace(/&/g, ""),
    id,
  }));
  const named = (id) => items.find((item) => item.id === id).text;
  const modeIds = ["NDF", "DF", "PAL", "FILM", "35MM", "16MM", "HEX", "DEC", "OCT"].map((m) => "IDM_MODE_" + m);
  return {
    modes: modeIds.map(named),
    strict: named("IDM_STRICT_CHECK"),
    autoDf: items[items.findIndex((item) => item.id === "IDM_AUTODF_OFF") - 1].text,
    autoDfChoices: ["IDM_AUTODF_OFF", "IDM_AUTODF_MINUS2", "IDM_AUTODF_PLUS2"].map(named),
    asFrames: named("IDM_DFNDF_FRAMES"),
  };
}

// One page of the calculator, its controls found once by their names.
class Calculator {
  // look: { viewport, scheme } for a screenshot, set before the page loads.
  static async open(browser, url, look = {}) {
    const calculator = new Calculator();
    const page = (calculator.page = await browser.newPage());
    if (look.viewport) await page.setViewport(look.viewport);
    if (look.scheme) await page.emulateMediaFeatures([{ name: "prefers-color-scheme", value: look.scheme }]);
    calculator.errors = [];
    page.on("pageerror", (error) => calculator.errors.push(error.message));
    // Beeps are counted where the page makes its sound.
    await page.evaluateOnNewDocument(() => {
      window.beepsHeard = 0;
      const create = AudioContext.prototype.createOscillator;
      AudioContext.prototype.createOscillator = function () {
        ++window.beepsHeard;
        return create.call(this);
      };
    });
    await page.goto(url);
    await page.waitForSelector("body.ready");
    await calculator.find();
    return calculator;
  }

  async find() {
    const names = setupMenu();
    const find = async (name, role) => {
      const found = await this.page.$$(byName(name, role));
      if (found.length !== 1) throw new Error(`${found.length} elements named "${name}" with role ${role}`);
      return found[0];
    };
    this.keys = {};
    for (const key of ["C", "0", "<<", "=", "1", "2", "3", "4", "5", "6", "7", "8", "9", "+", "-", "*", "/", "MR", "M+", "M-"])
      this.keys[key] = await find(key, "button");
    this.display = await find("Display", "status");
    this.memory = await find("Memory", "status");
    this.tape = await find("Tape", "list");
    this.mode = await find("Mode", "combobox");
    this.strict = await find(names.strict, "checkbox");
    this.autoDf = await find(names.autoDf, "combobox");
    this.asFrames = await find(names.asFrames, "checkbox");
    for (const button of ["Copy", "Paste", "Clear Tape", "Clear Memory"]) this.keys[button] = await find(button, "button");
    // The settings are folded away in a disclosure; its controls are found by their ids.
    this.settingsText = await this.page.$("#settings-text");
    this.keys["Use These Settings"] = await this.page.$("#use-settings");
    this.keys["Forget Settings"] = await this.page.$("#forget-settings");
    this.alert = await this.page.$("[role=alert]");
  }

  text(handle) {
    return handle.evaluate((element) => element.textContent);
  }
  tapeLines() {
    return this.tape.evaluate((list) => Array.from(list.children, (line) => line.textContent));
  }
  messages() {
    return this.alert.evaluate((alert) => Array.from(alert.children, (line) => line.textContent));
  }
  modeChoices() {
    return this.mode.evaluate((select) =>
      Array.from(select.options).filter((o) => !o.hidden && !o.disabled).map((o) => [Number(o.value), o.textContent]));
  }
  async useSettings(text) {
    await this.page.evaluate(() => (document.querySelector("details.settings").open = true));
    await this.settingsText.evaluate((area, value) => (area.value = value), text);
    await this.keys["Use These Settings"].click();
  }
  async check(box, on) {
    if ((await box.evaluate((b) => b.checked)) !== on) await box.click();
  }
  async state() {
    return { display: await this.text(this.display), tape: await this.tapeLines(), memory: await this.text(this.memory) };
  }
}

// --- The scenario rows ----------------------------------------------------------------------

const buttonOfKey = { m: "M-", p: "M+", r: "MR", "\x1b": "C", "\b": "<<" };
const buttonOfName = { "MP+": "M+", "MM-": "M-" };

// The row's steps (its keys as the engine's key-script reader reads them) as steps of the page,
// or the reason why the page cannot play them.
function stepsOf(row, withClipboard) {
  if (row.autoDf < 0 || row.autoDf > 2) return { gap: "the Auto DF Correct list offers its three choices only" };
  if (row.steps === null) return { gap: "keys that do not read" };
  const steps = [];
  for (const step of row.steps) {
    if (step.key !== undefined) {
      const key = String.fromCharCode(step.key);
      const button = buttonOfKey[key.toLowerCase()] || (/[0-9+\-*/=]/.test(key) ? key : null);
      if (button) steps.push({ click: button });
      else if (step.key === 13) steps.push({ type: "Enter" });
      else if (step.key === 32) continue;  // a space means nothing, on the keyboard as in a script
      else if (step.key > 32 && step.key < 127) steps.push({ type: key });
      else return { gap: "a character the keyboard cannot type" };
    } else if (step.click !== undefined) steps.push({ click: buttonOfName[step.click] || step.click });
    else if (step.clearMemory) steps.push({ click: "Clear Memory" });
    else if (step.mode !== undefined) steps.push({ mode: step.mode });
    else if (withClipboard) steps.push({ paste: step.paste });
    else return { gap: "pastes are played where the page may use the clipboard (http)" };
  }
  return { steps };
}

// The Paste button reads the clipboard asynchronously. A read of the test's own, asked for
// after the click, is answered after the page's, whose answer is pasted at once.
async function pasteClick(calculator) {
  await calculator.keys.Paste.click();
  await calculator.page.evaluate(() => navigator.clipboard.readText());
}

async function play(calculator, step) {
  const page = calculator.page;
  if (step.click) await calculator.keys[step.click].click();
  else if (step.type) await page.keyboard.press(step.type);
  else if (step.paste !== undefined) {
    await page.evaluate((text) => navigator.clipboard.writeText(text), step.paste);
    await pasteClick(calculator);
  } else if (step.mode !== undefined) {
    const present = await calculator.mode.evaluate(
      (select, mode) => Array.from(select.options).some((o) => Number(o.value) === mode && !o.disabled && select.value !== o.value),
      step.mode);
    if (!present) return false;
    await calculator.mode.select(String(step.mode));
  }
  return true;
}

const shownMessage = (message) => {
  const [text, caption] = message.split("|");
  return caption === "(none)" ? text : `${caption}: ${text}`;
};

async function playRows(calculator, rows, how, withClipboard) {
  const gaps = {};
  let played = 0;
  for (const row of rows) {
    const { steps, gap } = stepsOf(row, withClipboard);
    if (gap) {
      gaps[gap] = (gaps[gap] || 0) + 1;
      continue;
    }
    const definitions = (row.userMode ? `szCfr1=${row.userMode}\r\n` : "") + (row.userMode7 ? `szCfr2=${row.userMode7}\r\n` : "");
    await calculator.useSettings(definitions ? `[Vexo Special]\r\n${definitions}` : "");
    await calculator.check(calculator.strict, row.strict !== 0);
    await calculator.autoDf.select(String(row.autoDf));
    await calculator.check(calculator.asFrames, row.frameConv !== 0);
    if (row.mode !== 0) await calculator.mode.select(String(row.mode));
    await calculator.page.evaluate(() => {
      document.activeElement.blur();
      window.beepsHeard = 0;
    });
    const messages = [];
    let playable = true;
    for (const step of steps) {
      playable = (await play(calculator, step)) && playable;
      messages.push(...(await calculator.messages()));
    }
    if (!playable) {
      gaps["the Mode list offers only other modes that are present"] = (gaps["the Mode list offers only other modes that are present"] || 0) + 1;
      continue;
    }
    ++played;
    const state = await calculator.state();
    const what = `${how}: ${row.name} (${row.keys})`;
    expectEqual(state.display, row.display, `${what}: display`);
    expectEqual(state.tape, row.tape, `${what}: tape`);
    expectEqual(messages, row.messages.map(shownMessage), `${what}: messages`);
    expectEqual(await calculator.page.evaluate(() => window.beepsHeard), row.beeps, `${what}: beeps`);
    if (row.indicator !== null) expectEqual(state.memory, row.indicator, `${what}: memory indicator`);
  }
  const skipped = Object.entries(gaps).map(([reason, count]) => `${count} (${reason})`).join(", ");
  console.log(`${how}: ${played} of ${rows.length} scenario rows played; skipped: ${skipped || "none"}`);
}

// --- The other checks -----------------------------------------------------------------------

async function checkNames(calculator, how) {
  const menu = setupMenu();
  const choices = await calculator.modeChoices();
  expectEqual(choices.map(([, text]) => text), menu.modes, `${how}: the Mode list names the Setup menu's modes`);
  const autoDf = await calculator.autoDf.evaluate((select) => Array.from(select.options, (o) => o.textContent));
  expectEqual(autoDf, menu.autoDfChoices, `${how}: the Auto DF Correct choices are the menu's`);
}

async function typeOnKeypad(calculator, keys) {
  for (const key of keys) await calculator.keys[key].click();
}

async function checkClipboard(calculator) {
  const page = calculator.page;
  const cases = [
    // mode, keys typed, what Copy puts on the clipboard
    [0, "10000", "00:01:00:00 NDF"],
    [4, "1615", "16-15"],
    [10, "1FF", "1FF"],
    [11, "1800", "1,800 Frms"],
  ];
  await calculator.useSettings("");
  for (const [mode, keys, copied] of cases) {
    await calculator.mode.select(String(mode));
    await calculator.keys.C.click();
    for (const key of keys) {
      if (calculator.keys[key]) await calculator.keys[key].click();
      else await page.keyboard.press(key);
    }
    await calculator.keys.Copy.click();
    expectEqual(await page.evaluate(() => navigator.clipboard.readText()), copied, `Copy in mode ${mode} after ${keys}`);
  }
  // Paste reads the mode's digits from whatever the clipboard holds.
  await calculator.mode.select("2");
  await page.evaluate(() => navigator.clipboard.writeText("Reel 1 starts at 01:00:00:00 PAL"));
  await pasteClick(calculator);
  expectEqual(await calculator.text(calculator.display), "1:00:00:00", "Paste in PAL");
  // Ctrl+C and Ctrl+V as the browser's own copy and paste.
  await calculator.keys["+"].click();
  await page.evaluate(() => navigator.clipboard.writeText("00:00:10:00"));
  await page.keyboard.down("Control");
  await page.keyboard.press("KeyV", { commands: ["Paste"] });
  await page.keyboard.up("Control");
  await calculator.keys["="].click();
  expectEqual(await calculator.text(calculator.display), "1:00:10:00", "Ctrl+V, then =");
  await page.evaluate(() => navigator.clipboard.writeText(""));
  await page.keyboard.down("Control");
  await page.keyboard.press("KeyC", { commands: ["Copy"] });
  await page.keyboard.up("Control");
  expectEqual(await page.evaluate(() => navigator.clipboard.readText()), "01:00:10:00 PAL", "Ctrl+C");
}

// The user modes of the sample settings file, opened as a file, kept for the next visit.
async function checkSettings(browser, url) {
  const samplePath = path.join(args.source, "packaging/VEXO-sample.INI");
  const names = [...sourceFile("packaging/VEXO-sample.INI").matchAll(/^szCfr(\d)=([^,]*),/gm)].map(([, n, name]) => [5 + Number(n), name]);
  let calculator = await Calculator.open(browser, url);
  await calculator.page.evaluate(() => (document.querySelector("details.settings").open = true));
  const input = await calculator.page.$("input[type=file]");
  await input.uploadFile(samplePath);
  await calculator.page.waitForFunction(() => document.querySelector("option[value='6']") !== null);
  const userModes = (choices) => choices.filter(([mode]) => mode >= 6 && mode <= 9);
  expectEqual(userModes(await calculator.modeChoices()), names, "user modes from the sample settings file");

  // 59.94 drop-frame: a typed minute is a label that does not exist; the clipboard format
  // carries the mode's trailing text.
  const [, dropFrame] = names.find(([, name]) => name.includes("drop-frame"));
  await calculator.mode.select(String(names.find(([, name]) => name === dropFrame)[0]));
  await typeOnKeypad(calculator, ["1", "0", "0", "0", "0", "="]);
  expectEqual(await calculator.text(calculator.display), "59;56", "a 59.94 drop-frame minute, typed as 1:00;00");
  await calculator.page.close();

  calculator = await Calculator.open(browser, url);
  expectEqual(userModes(await calculator.modeChoices()), names, "the settings text is kept for the next visit");
  // The saved mode and options of a settings text start the page, as they start the window.
  await calculator.useSettings("[Vexo]\r\niMode=11\r\nbStrictCheck=1\r\niAutoDfFix=2\r\n");
  expectEqual(
    [await calculator.mode.evaluate((s) => s.value), await calculator.strict.evaluate((b) => b.checked),
      await calculator.autoDf.evaluate((s) => s.value), userModes(await calculator.modeChoices())],
    ["11", true, "2", []], "mode and options from the settings text; no user modes");
  await calculator.keys["Forget Settings"].click();
  await calculator.page.close();
  calculator = await Calculator.open(browser, url);
  expectEqual(await calculator.mode.evaluate((s) => s.value), "0", "Forget Settings: the defaults on the next visit");
  await calculator.page.close();
}

// Everything from the keyboard: typing, Enter, Esc, Backspace, the memory keys, and the
// controls reached by Tab.
async function checkKeyboard(browser, url) {
  const calculator = await Calculator.open(browser, url);
  const page = calculator.page;
  const display = () => calculator.text(calculator.display);
  await page.keyboard.type("10000+20000");
  await page.keyboard.press("Enter");
  expectEqual(await display(), "3:00:00", "keyboard: 10000+20000 Enter");
  expectEqual((await calculator.tapeLines()).at(-1), "= 3:00:00 ", "keyboard: the result on the tape");
  await page.keyboard.type("p");
  expectEqual(await calculator.text(calculator.memory), "*", "keyboard: p is M+");
  await page.keyboard.press("Escape");
  await page.keyboard.type("123");
  await page.keyboard.press("Backspace");
  expectEqual(await display(), "12", "keyboard: Esc, 123, Backspace");
  await page.keyboard.type("r");
  expectEqual(await display(), "3:00:00", "keyboard: r is MR");

  // Tab reaches the Mode list; the arrow keys change the mode, which converts the display.
  const tabTo = async (handle) => {
    for (let tabs = 0; tabs < 40 && !(await handle.evaluate((element) => element === document.activeElement)); ++tabs)
      await page.keyboard.press("Tab");
  };
  await tabTo(calculator.mode);
  const outline = await page.evaluate(() => getComputedStyle(document.activeElement).outlineStyle);
  expectEqual(outline !== "none", true, "keyboard: the focused control shows its focus");
  await page.keyboard.press("ArrowDown");
  expectEqual([await calculator.mode.evaluate((s) => s.value), await display()], ["1", "2:59;29"],
    "keyboard: ArrowDown on the Mode list switches to drop-frame");
  await tabTo(calculator.strict);
  await page.keyboard.press("Space");
  expectEqual(await calculator.strict.evaluate((b) => b.checked), true, "keyboard: Space checks Strict Entry Check");

  // Enter on a focused key is "=", once.
  await calculator.keys["7"].focus();
  await page.keyboard.press("Escape");
  await page.keyboard.type("5+");
  await page.keyboard.press("Enter");
  expectEqual((await calculator.tapeLines()).slice(-3), ["    ", "  5 ", "= 5 "], "keyboard: Enter on a focused key");

  // The list keeps what the engine's tape keeps: the last 150 lines.
  await page.keyboard.type("=".repeat(160));
  expectEqual((await calculator.tapeLines()).length, 150, "keyboard: the tape keeps 150 lines");

  await page.keyboard.press("F1");
  await page.waitForFunction(() => location.pathname.endsWith("help.html"));
  expectEqual(await page.title(), "Lumo II Help", "keyboard: F1 opens the help");
  await page.close();
}

async function checkHelp(browser, url) {
  const page = await browser.newPage();
  await page.goto(url.replace(/index\.html$/, "") + "help.html");
  const topics = [...sourceFile("help/vexo-help.txt").matchAll(/^\.topic \S+ (.*)$/gm)].map(([, title]) => title);
  const headings = await page.$$eval("section h2", (h) => h.map((e) => e.textContent));
  expectEqual(headings, topics, "help: one section per topic, titled as in the help text");
  const broken = await page.$$eval("a[href^='#']", (links) =>
    links.filter((a) => !document.getElementById(a.getAttribute("href").slice(1))).map((a) => a.textContent));
  expectEqual(broken, [], "help: every link leads to a topic");
  await page.close();
}

async function screenshots(browser, url) {
  fs.mkdirSync(args.screenshots, { recursive: true });
  const sizes = { desktop: { width: 1100, height: 760 }, phone: { width: 390, height: 844, isMobile: true, hasTouch: true } };
  for (const [size, viewport] of Object.entries(sizes)) {
    for (const scheme of ["light", "dark"]) {
      const calculator = await Calculator.open(browser, url, { viewport, scheme });
      await calculator.useSettings("[Vexo]\r\nbStrictCheck=1\r\n[Vexo Special]\r\nszCfr1=23.976 fps,23.976, 23.976,23.976,1,HMSF,0\r\n");
      await calculator.page.evaluate(() => document.activeElement.blur());
      await calculator.page.keyboard.type("1000000+2030405p=1234+");
      await calculator.page.waitForFunction(() => !document.querySelector(".pressed"));
      const file = path.join(args.screenshots, `${size}-${scheme}.png`);
      await calculator.page.screenshot({ path: file, fullPage: true });
      await calculator.page.close();
    }
  }
  const help = await browser.newPage();
  await help.setViewport(sizes.phone);
  await help.emulateMediaFeatures([{ name: "prefers-color-scheme", value: "dark" }]);
  await help.goto(url.replace(/index\.html$/, "help.html#keyboard"));
  await help.screenshot({ path: path.join(args.screenshots, "help-phone-dark.png") });
  await help.close();
  console.log(`screenshots in ${args.screenshots}`);
}

// The page with its engine, as a browser receives it compressed.
function checkSize() {
  const files = ["index.html", "lumo.css", "lumo.js", "lumo-engine.js"];
  const gzipped = files.reduce((sum, file) => sum + zlib.gzipSync(fs.readFileSync(path.join(args.page, file)), { level: 9 }).length, 0);
  console.log(`page and engine: ${gzipped} bytes gzip`);
  expectEqual(gzipped <= 150 * 1024, true, `the page is at most 150 KB gzip (${gzipped} bytes)`);
}

async function main() {
  const rows = JSON.parse(fs.readFileSync(args.rows, "utf8"));
  const server = await serve(args.page);
  const httpUrl = `http://127.0.0.1:${server.address().port}/index.html`;
  const fileUrl = "file://" + path.resolve(args.page, "index.html");
  const browser = await puppeteer.launch({
    executablePath: "/usr/bin/chromium",
    headless: true,
    args: ["--no-sandbox", "--disable-gpu", "--lang=en-US"],
  });
  const errors = [];
  try {
    await browser.defaultBrowserContext().overridePermissions(new URL(httpUrl).origin,
      ["clipboard-read", "clipboard-write", "clipboard-sanitized-write"]);
    const ways = [["http", httpUrl, true], ["file", fileUrl, false]].filter(([how]) => !args.only || how === args.only);
    for (const [how, url, withClipboard] of ways) {
      const calculator = await Calculator.open(browser, url);
      await checkNames(calculator, how);
      await playRows(calculator, rows, how, withClipboard);
      if (withClipboard) await checkClipboard(calculator);
      errors.push(...calculator.errors);
      await calculator.page.close();
    }
    if (!args.only) {
      await checkSettings(browser, httpUrl);
      await checkKeyboard(browser, httpUrl);
      await checkHelp(browser, fileUrl);
      await screenshots(browser, httpUrl);
    }
    checkSize();
  } finally {
    await browser.close();
    server.close();
  }
  expectEqual(errors, [], "no script errors in the page");
  console.log(`${passed} passed, ${failed} failed`);
  process.exit(failed === 0 ? 0 : 1);
}

main().catch((error) => {
  console.log(`FAIL ${error.stack}`);
  process.exit(1);
});
