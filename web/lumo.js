// The page's script: it sends the page's keys, clicks and choices to the engine
// (lumo-engine.js) and shows what each answer says the engine showed.
"use strict";
(function () {
  const byId = (id) => document.getElementById(id);
  const display = byId("display");
  const memory = byId("memory");
  const tape = byId("tape");
  const messages = byId("messages");
  const mode = byId("mode");
  const strict = byId("strict");
  const autoDf = byId("auto-df");
  const asFrames = byId("as-frames");
  const settingsText = byId("settings-text");
  const settingsStatus = byId("settings-status");
  const storageKey = "lumo-ii-settings";

  // The engine takes characters; Enter, Backspace and Esc as their control codes.
  const controlKeys = { Enter: 13, Backspace: 8, Escape: 27 };
  const codeOf = (key) => controlKeys[key] || (key.length === 1 ? key.charCodeAt(0) : 0);
  const keypad = new Map();
  for (const button of document.querySelectorAll(".keypad button")) keypad.set(codeOf(button.dataset.key), button);

  let engine = null;
  let audio = null;

  function beep() {
    display.classList.remove("beep");
    void display.offsetWidth;  // restarts the animation
    display.classList.add("beep");
    try {
      audio = audio || new AudioContext();
      const tone = audio.createOscillator();
      const volume = audio.createGain();
      volume.gain.value = 0.05;
      tone.frequency.value = 880;
      tone.connect(volume).connect(audio.destination);
      tone.start();
      tone.stop(audio.currentTime + 0.08);
    } catch (e) {
      // No sound here; the display's flash remains.
    }
  }

  function flash(code) {
    const button = keypad.get(code);
    if (!button) return;
    button.classList.add("pressed");
    setTimeout(() => button.classList.remove("pressed"), 90);
  }

  function showMessages(list) {
    messages.replaceChildren(...list.map(([text, caption]) => {
      const line = document.createElement("p");
      line.textContent = caption ? caption + ": " + text : text;
      return line;
    }));
  }

  // Built-in rows keep the Setup menu's names; user rows are in the list only when defined
  // (taken out rather than hidden: not every browser hides an option).
  const userModes = Array.from(mode.querySelectorAll("option[data-user]"));
  const firstCountMode = mode.querySelector("option[value='10']");

  function showModes(names) {
    for (const option of userModes) {
      const name = names[Number(option.value)];
      if (!name) {
        option.remove();
        continue;
      }
      option.textContent = name;
      option.hidden = option.disabled = false;
      mode.insertBefore(option, firstCountMode);
    }
  }

  function showTape(answer) {
    if (answer.tapeCleared) tape.replaceChildren();
    for (const text of answer.tape) {
      const line = document.createElement("li");
      line.textContent = text;
      tape.append(line);
    }
    while (tape.children.length > answer.tapeLines) tape.firstElementChild.remove();
    if (answer.tape.length) tape.scrollTop = tape.scrollHeight;
  }

  // Shows one answer of the engine (web_engine.cpp).
  function show(answer) {
    display.textContent = answer.display;
    memory.textContent = answer.memory;
    if (answer.modes) showModes(answer.modes);
    mode.value = String(answer.mode);
    strict.checked = answer.strict !== 0;
    autoDf.value = String(answer.autoDf);
    asFrames.checked = answer.asFrames !== 0;
    showTape(answer);
    showMessages(answer.messages);
    answer.flashes.forEach(flash);
    for (let i = 0; i < answer.beeps; ++i) beep();
  }

  function say(text) {
    showMessages([[text, ""]]);
  }

  function storedSettings() {
    try {
      return localStorage.getItem(storageKey) || "";
    } catch (e) {
      return "";
    }
  }

  function storeSettings(text) {
    try {
      if (text) localStorage.setItem(storageKey, text);
      else localStorage.removeItem(storageKey);
    } catch (e) {
      say("This browser does not keep the settings text: it is used until the page closes.");
    }
  }

  function useSettings(text) {
    storeSettings(text);
    engine.start(text);
    const defined = userModes.filter((option) => option.isConnected);
    settingsStatus.textContent = text
      ? "Settings in use; user modes: " + (defined.map((option) => option.textContent).join(", ") || "none") + "."
      : "No settings text: the built-in modes and formats.";
  }

  function isTextField(target) {
    return target.closest && target.closest("input, select, textarea") !== null;
  }

  // Typing works wherever the focus is but in a form field; Enter and Space still press the
  // page's other buttons, links and the settings' summary.
  function onKeyDown(event) {
    if (!engine || event.ctrlKey || event.metaKey || event.altKey || isTextField(event.target)) return;
    if (event.key === "F1") {
      event.preventDefault();
      location.href = "help.html";
      return;
    }
    const onKeypad = event.target.closest && event.target.closest(".keypad") !== null;
    if (event.key === " " || (event.key === "Enter" && !onKeypad && event.target !== document.body)) return;
    const code = codeOf(event.key);
    if (code === 0) return;
    event.preventDefault();
    engine.key(code);
  }

  function copy() {
    const text = engine.copyText();
    navigator.clipboard.writeText(text).catch(() => say("The browser did not let the page write to the clipboard."));
  }

  function paste() {
    navigator.clipboard.readText().then(engine.paste, () => say("The browser did not let the page read the clipboard."));
  }

  function wire() {
    document.addEventListener("keydown", onKeyDown);
    // Ctrl+C and Ctrl+V (and the browser's Edit menu) outside the form fields.
    document.addEventListener("copy", (event) => {
      if (isTextField(event.target) || !document.getSelection().isCollapsed) return;
      event.clipboardData.setData("text/plain", engine.copyText());
      event.preventDefault();
    });
    document.addEventListener("paste", (event) => {
      if (isTextField(event.target)) return;
      engine.paste(event.clipboardData.getData("text/plain"));
      event.preventDefault();
    });
    for (const [code, button] of keypad) button.addEventListener("click", () => engine.click(code));
    byId("copy").addEventListener("click", copy);
    byId("paste").addEventListener("click", paste);
    byId("clear-tape").addEventListener("click", () => engine.clearTape());
    byId("clear-memory").addEventListener("click", () => engine.clearMemory());
    mode.addEventListener("change", () => engine.switchMode(Number(mode.value)));
    const setOptions = () => engine.setOptions(strict.checked ? 1 : 0, Number(autoDf.value), asFrames.checked ? 1 : 0);
    for (const option of [strict, autoDf, asFrames]) option.addEventListener("change", setOptions);
    byId("use-settings").addEventListener("click", () => useSettings(settingsText.value));
    byId("forget-settings").addEventListener("click", () => {
      settingsText.value = "";
      useSettings("");
    });
    byId("settings-file").addEventListener("change", (event) => {
      const file = event.target.files[0];
      if (!file) return;
      file.text().then((text) => {
        settingsText.value = text;
        useSettings(text);
      });
    });
  }

  LumoEngine().then((module) => {
    const action = (name, types) => {
      const call = module.cwrap(name, "string", types);
      return (...args) => show(JSON.parse(call(...args)));
    };
    engine = {
      start: action("lumo_start", ["string"]),
      key: action("lumo_key", ["number"]),
      click: action("lumo_click", ["number"]),
      paste: action("lumo_paste", ["string"]),
      switchMode: action("lumo_switch_mode", ["number"]),
      setOptions: action("lumo_set_options", ["number", "number", "number"]),
      clearMemory: action("lumo_clear_memory", []),
      clearTape: action("lumo_clear_tape", []),
      copyText: module.cwrap("lumo_copy_text", "string", []),
    };
    const text = storedSettings();
    settingsText.value = text;
    engine.start(text);
    wire();
    document.body.classList.add("ready");
    performance.mark("lumo-ready");
  });
})();
