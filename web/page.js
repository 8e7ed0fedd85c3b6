// The page around the game's program (rolvi.js and rolvi.wasm): the program's windows as
// canvases on the desk, enlarged by the largest whole number that fits the browser window in
// device pixels; on a phone, the game filling the screen with its menu behind a button; the
// mouse, touch and keyboard input queued for the program (only the game's own keys are kept
// from the browser); a text input of the page over the program's edit field; the chime; the
// record table's storage; the page's texts and what its live region announces; the closed
// state; and the service worker that lets the page play offline. The program calls the
// functions of `rolviPage`.
'use strict';

var rolviPage = (function () {
  const desk = document.getElementById('desk');
  const status = document.getElementById('status');
  const parameters = new URLSearchParams(window.location.search);

  // Event kinds, modifier bits and the event record's layout (byte offsets and field sizes) as
  // the program declares them in platform/web/page.h; a test of the program compares the two.
  const kind = {
    mouseDown: 1, mouseUp: 2, mouseMove: 3, keyDown: 4, keyUp: 5, focusLost: 6, viewport: 7,
    command: 8, fieldChanged: 9, storageChanged: 10,
  };
  // The record table's key (kRecordsStorageKey), which another tab may store anew.
  const recordsKey = 'rolvi.records';
  const windowKind = { main: 0, dialog: 1, tool: 2 };
  const modifier = { alt: 1, control: 2, shift: 4, meta: 8 };
  const record = {
    kind: 0, window: 4, x: 8, y: 12, modifiers: 16, repeat: 20, textLength: 24,
    code: 28, codeSize: 32, key: 60, keySize: 32, text: 92, textSize: 16,
  };

  const windows = new Map();  // number -> { canvas, context, x, y, width, height, kind }
  let nextWindow = 1;
  let area = { left: 0, top: 0, right: 640, bottom: 480 };
  let scale = 1;
  let origin = { x: 0, y: 0 };  // the desk area's top-left corner, device pixels
  const queue = [];
  let wake = null;
  let closed = false;
  let audio = null;
  const marks = {};
  let mainShown = false;
  let firstFrame = null;
  let copiedBytes = 0;  // put on the canvases so far

  function mark(name) {
    if (!(name in marks)) marks[name] = performance.now();
  }

  // ---- Windows on the desk

  function layout() {
    if (touch.on) {
      touchLayout();
      return;
    }
    const ratio = window.devicePixelRatio || 1;
    const width = Math.round(document.documentElement.clientWidth * ratio);
    const height = Math.round(document.documentElement.clientHeight * ratio);
    const areaWidth = area.right - area.left;
    const areaHeight = area.bottom - area.top;
    scale = Math.max(1, Math.min(Math.floor(width / areaWidth), Math.floor(height / areaHeight)));
    origin = deskOrigin(width, height, areaWidth, areaHeight);
    // A browser window smaller than the desk at scale 1 scrolls.
    desk.style.width = Math.max(width, areaWidth * scale) / ratio + 'px';
    desk.style.height = Math.max(height, areaHeight * scale) / ratio + 'px';
    for (const win of windows.values()) place(win);
  }

  // Where the desk area's top-left corner goes, in device pixels: the desk centred top to bottom,
  // and the main window (the first window) centred across the browser window as far as the
  // whole desk, with the room on the main window's right for the statistics window, still fits.
  function deskOrigin(width, height, areaWidth, areaHeight) {
    const free = { x: width - areaWidth * scale, y: height - areaHeight * scale };
    const main = windows.values().next().value;
    let x = Math.floor(free.x / 2);
    if (main !== undefined) {
      const mainCentre = (main.x - area.left) * scale + (main.width * scale) / 2;
      x = Math.min(free.x, Math.floor(width / 2 - mainCentre));
    }
    return { x: Math.max(0, x), y: Math.max(0, Math.floor(free.y / 2)) };
  }

  function place(win) {
    if (touch.on) {
      placeOnTouchScreen(win);
      return;
    }
    const ratio = window.devicePixelRatio || 1;
    const style = win.canvas.style;
    style.left = (origin.x + (win.x - area.left) * scale) / ratio + 'px';
    style.top = (origin.y + (win.y - area.top) * scale) / ratio + 'px';
    style.width = (win.width * scale) / ratio + 'px';
    style.height = (win.height * scale) / ratio + 'px';
  }

  function canvasPoint(win, event) {
    const box = win.canvas.getBoundingClientRect();
    return {
      x: Math.floor(((event.clientX - box.left) * win.width) / box.width),
      y: Math.floor(((event.clientY - box.top) * win.height) / box.height),
    };
  }

  // ---- Input

  function push(event) {
    if (closed) return;
    const last = queue[queue.length - 1];
    if (event.kind === kind.mouseMove && last && last.kind === kind.mouseMove &&
        last.window === event.window) {
      queue[queue.length - 1] = event;  // only the latest position of a move counts
    } else {
      queue.push(event);
    }
    if (wake) wake();
  }

  function mouse(eventKind, number, point) {
    push({ kind: eventKind, window: number, x: point.x, y: point.y, modifiers: 0, repeat: false,
           code: '', key: '', text: [] });
  }

  function modifiersOf(event) {
    return (event.altKey ? modifier.alt : 0) | (event.ctrlKey ? modifier.control : 0) |
           (event.shiftKey ? modifier.shift : 0) | (event.metaKey ? modifier.meta : 0);
  }

  // What a key press types, as GBK bytes: one character, without Alt, Control or Meta.
  function typed(event) {
    if (event.altKey || event.ctrlKey || event.metaKey) return [];
    if ([...event.key].length !== 1) return [];
    return toGbk(event.key);
  }

  // ---- Keys: the game's and the browser's
  //
  // The page keeps from the browser only the keys the game uses; every other key does what the
  // browser does with it (Tab, the Control and Meta shortcuts, Alt+Left, Alt+D, F6, F11, F12...).
  const gameKeys = new Set(['F1', 'F3', 'F4', 'F5', 'F10', 'Escape', 'Enter', 'NumpadEnter',
                            'Space', 'ArrowLeft', 'ArrowRight', 'ArrowUp', 'ArrowDown', 'Home',
                            'End', 'PageUp', 'PageDown', 'AltLeft', 'AltRight']);
  // With Alt: the menu bar's titles (File, Options, Help), Exit, and the dialogs' buttons (O).
  const gameAltKeys = new Set(['KeyF', 'KeyO', 'KeyH', 'KeyX']);
  // What a dialog's controls take besides the game's keys: deleting, Tab between controls.
  const dialogKeys = new Set(['Tab', 'Backspace', 'Delete']);
  // Function keys and Tab, where the game has no use for them, are the browser's alone.
  const browserOnly = /^(F\d+|Tab)$/;

  // True while a window other than the main window is shown: a dialog, a message box or the
  // statistics window, which take typing and Tab.
  function dialogShown() {
    let first = true;
    for (const win of windows.values()) {
      if (!first && win.canvas.style.display !== 'none') return true;
      first = false;
    }
    return false;
  }

  // What becomes of a key: 'game' (the program gets it and the browser does not), 'shared' (the
  // program gets it, and so does the browser, which does nothing with it or only scrolls: a
  // letter for an open menu) or 'browser' (the browser's alone).
  function keyOwner(event) {
    const name = event.code || event.key || '';
    if (event.ctrlKey || event.metaKey || event.isComposing) return 'browser';
    if (event.altKey) {
      return name === 'AltLeft' || name === 'AltRight' || gameAltKeys.has(name) ? 'game' : 'browser';
    }
    if (gameKeys.has(name)) return 'game';
    const typing = [...(event.key || '')].length === 1 || dialogKeys.has(name);
    if (typing && dialogShown()) return 'game';
    return browserOnly.test(name) ? 'browser' : 'shared';
  }

  function onKey(event) {
    if (closed || textFieldTakes(event)) return;
    const down = event.type === 'keydown';
    const owner = keyOwner(event);
    if (owner === 'browser') {
      // The program only learns that a key came, so that Alt held for Alt+D or Alt+Left is not
      // taken for a tap of Alt alone, which would open the menu.
      if (down) push(keyEvent(kind.keyDown, 0, '', '', []));
      return;
    }
    if (owner === 'game') event.preventDefault();
    push(keyEvent(down ? kind.keyDown : kind.keyUp, modifiersOf(event), event.code || '',
                  event.key || '', down ? typed(event) : [], event.repeat));
  }

  function keyEvent(eventKind, modifiers, code, key, text, repeat = false) {
    return { kind: eventKind, window: 0, x: 0, y: 0, modifiers, repeat, code, key, text };
  }

  let gbkTable = null;  // character -> its two GBK bytes, made at the first use

  function toGbk(text) {
    const bytes = [];
    for (const character of text) {
      const code = character.codePointAt(0);
      if (code < 0x80) {
        bytes.push(code);
        continue;
      }
      if (gbkTable === null) gbkTable = makeGbkTable();
      const pair = gbkTable.get(character);
      if (pair !== undefined) bytes.push(pair >> 8, pair & 0xff);  // others have no GBK form
    }
    return bytes;
  }

  function makeGbkTable() {
    const table = new Map();
    let decoder;
    try {
      decoder = new TextDecoder('gbk');
    } catch (error) {
      return table;
    }
    const pair = new Uint8Array(2);
    for (let lead = 0x81; lead <= 0xfe; ++lead) {
      for (let trail = 0x40; trail <= 0xfe; ++trail) {
        if (trail === 0x7f) continue;
        pair[0] = lead;
        pair[1] = trail;
        const character = decoder.decode(pair);
        if ([...character].length === 1 && character !== '\ufffd' && !table.has(character)) {
          table.set(character, (lead << 8) | trail);
        }
      }
    }
    return table;
  }

  function gbkToText(hex) {
    const bytes = new Uint8Array(hex.length / 2);
    for (let i = 0; i < bytes.length; ++i) bytes[i] = parseInt(hex.substr(2 * i, 2), 16);
    return new TextDecoder('gbk').decode(bytes);
  }

  // ---- The chime, allowed once the player has clicked or pressed a key

  function unlockAudio() {
    if (audio !== null) {
      if (audio.state === 'suspended') audio.resume().catch(() => {});
      return;
    }
    const Context = window.AudioContext || window.webkitAudioContext;
    if (!Context) return;
    try {
      audio = new Context();
    } catch (error) {
      audio = null;
    }
  }

  // Two notes a fifth apart (E6, then B6), 60 ms each, with a quick attack and a soft decay:
  // the desktop program's chime.
  function chime() {
    if (audio === null || audio.state !== 'running') return false;
    const start = audio.currentTime + 0.01;
    [1318.5, 1975.5].forEach((frequency, index) => {
      const at = start + index * 0.06;
      const tone = audio.createOscillator();
      tone.frequency.value = frequency;
      const level = audio.createGain();
      level.gain.setValueAtTime(0, at);
      level.gain.linearRampToValueAtTime(0.35, at + 0.004);
      level.gain.exponentialRampToValueAtTime(0.035, at + 0.057);
      level.gain.linearRampToValueAtTime(0, at + 0.06);
      tone.connect(level);
      level.connect(audio.destination);
      tone.start(at);
      tone.stop(at + 0.06);
    });
    return true;
  }

  // ---- Storage

  function storageRead(key) {
    try {
      return window.localStorage.getItem(key);
    } catch (error) {
      return null;  // storage disabled: the default table
    }
  }

  // 0 when stored, 1 when the storage is full, 2 when it is disabled; the program tells the
  // player and tries again at the next save.
  function storageWrite(key, value) {
    try {
      window.localStorage.setItem(key, value);
      return 0;
    } catch (error) {
      // Chromium's QuotaExceededError, Firefox's NS_ERROR_DOM_QUOTA_REACHED, old Safari's 22.
      return error instanceof DOMException && (/quota/i.test(error.name) || error.code === 22)
        ? 1 : 2;
    }
  }

  // ---- A touch screen: a phone shows the game, not a desk

  // A phone: a coarse pointer and a screen whose shorter side is under 600 points; tablets and
  // desktops keep the desk. ?layout=touch or ?layout=desk chooses instead.
  const touch = {
    on: (() => {
      const asked = parameters.get('layout');
      if (asked === 'touch' || asked === 'desk') return asked === 'touch';
      return window.matchMedia('(pointer: coarse)').matches &&
             Math.min(window.screen.width, window.screen.height) < 600;
    })(),
    view: null,  // the page's size as the program last heard it, in points
    button: null,  // the menu button, and where the program put it on its window's canvas
    buttonAt: null,
    menu: [],  // the program's menu: [{ title, items: [{ text, command, checked } | { separator }] }]
    sheet: null,  // the open menu
    backdrop: null,  // what dims the game under a dialog
  };
  const touchMargin = 8;  // around a dialog, in points
  const touchTarget = 40;  // the least side of what a finger taps, in points
  if (touch.on) document.documentElement.classList.add('touch');

  function viewSize() {
    return { width: document.documentElement.clientWidth,
             height: document.documentElement.clientHeight };
  }

  // Where a canvas stands on the page: its top-left corner and the points one of its pixels
  // takes, as the layout placed it.
  function placed(win) {
    const style = win.canvas.style;
    return { left: parseFloat(style.left) || 0, top: parseFloat(style.top) || 0,
             across: (parseFloat(style.width) || win.width) / win.width };
  }

  function shown(win) {
    return win.canvas.style.display !== 'none';
  }

  function touchLayout() {
    const view = viewSize();
    // A new size (the phone was turned) lays the game out anew; not while the player types,
    // when the phone's keyboard may take part of the screen.
    if (touch.view !== null && !textFieldFocused() &&
        (view.width !== touch.view.width || view.height !== touch.view.height)) {
      touch.view = view;
      push({ kind: kind.viewport, window: 0, x: view.width, y: view.height, modifiers: 0,
             repeat: false, code: '', key: '', text: [] });
    }
    let bottom = view.height;
    // The main window and its button first: the statistics window keeps clear of the button.
    const order = [...windows.values()].sort((a, b) => (a.kind === windowKind.main ? -1 : 0) -
                                                       (b.kind === windowKind.main ? -1 : 0));
    for (const win of order) {
      placeOnTouchScreen(win);
      if (win.kind === windowKind.main) positionMenuButton();
      if (shown(win) && win.kind === windowKind.dialog) {
        bottom = Math.max(bottom, parseFloat(win.canvas.style.top) +
                                  parseFloat(win.canvas.style.height) + touchMargin);
      }
    }
    // Only a dialog taller than the screen lets the page scroll, by a drag on that dialog.
    desk.style.width = view.width + 'px';
    desk.style.height = bottom + 'px';
    document.documentElement.style.touchAction = bottom > view.height ? 'pan-y' : '';
    if (bottom <= view.height) window.scrollTo(0, 0);
    positionMenuButton();
    placeTextField();
    dimUnderDialogs();
    if (touch.sheet !== null) closeMenu();
  }

  // The main window fills the screen, enlarged by whatever fits. Dialogs are centred, as large
  // as fits but at least a point a pixel and at most 1.6; so is the statistics window, at most
  // 1.3, below the menu button where it would cover it.
  function placeOnTouchScreen(win) {
    const view = viewSize();
    const ratio = window.devicePixelRatio || 1;
    let across;
    let left;
    let top;
    if (win.kind === windowKind.main) {
      across = Math.min(view.width / win.width, view.height / win.height);
      left = (view.width - win.width * across) / 2;
      top = (view.height - win.height * across) / 2;
      scale = across * ratio;
    } else {
      const fit = Math.min((view.width - 2 * touchMargin) / win.width,
                           (view.height - 2 * touchMargin) / win.height);
      const dialog = win.kind === windowKind.dialog;
      across = Math.min(dialog ? 1.6 : 1.3, Math.max(1, fit));
      left = Math.max(0, (view.width - win.width * across) / 2);
      top = (view.height - win.height * across) / 2;
      top = dialog ? Math.max(touchMargin, top) : Math.max(0, top);
      const button = touch.button !== null && !touch.button.hidden
        ? touch.button.getBoundingClientRect() : null;
      if (!dialog && button !== null && left < button.right && button.left < left + win.width * across &&
          top < button.bottom && button.top < top + win.height * across) {
        top = Math.min(button.bottom + touchMargin, Math.max(0, view.height - win.height * across));
      }
    }
    const style = win.canvas.style;
    style.left = Math.round(left * ratio) / ratio + 'px';
    style.top = Math.round(top * ratio) / ratio + 'px';
    style.width = win.width * across + 'px';
    style.height = win.height * across + 'px';
    style.zIndex = String(2 * win.number);
    // Crisp where a pixel takes at least two device pixels, smooth where it takes fewer.
    style.imageRendering = across * ratio >= 2 || Number.isInteger(across * ratio)
      ? 'pixelated' : 'auto';
    style.touchAction = win.kind === windowKind.dialog &&
                        top + win.height * across > view.height ? 'pan-y' : 'none';
  }

  // A dim layer under the top dialog: the game behind it takes no input meanwhile.
  function dimUnderDialogs() {
    let top = 0;
    for (const win of windows.values()) {
      if (win.kind === windowKind.dialog && shown(win)) top = Math.max(top, win.number);
    }
    if (top === 0) {
      if (touch.backdrop !== null) touch.backdrop.hidden = true;
      return;
    }
    if (touch.backdrop === null) {
      touch.backdrop = document.createElement('div');
      touch.backdrop.className = 'touch-backdrop';
      desk.appendChild(touch.backdrop);
    }
    touch.backdrop.hidden = false;
    touch.backdrop.style.zIndex = String(2 * top - 1);
  }

  function placeMenuButton(number, left, top, width, height) {
    touch.buttonAt = { window: number, left, top, width, height };
    if (touch.button === null) {
      const button = document.createElement('button');
      button.type = 'button';
      button.id = 'menu-button';
      button.setAttribute('aria-label', text('menu'));
      button.setAttribute('aria-haspopup', 'menu');
      button.setAttribute('aria-expanded', 'false');
      button.innerHTML = '<svg viewBox="0 0 20 16" aria-hidden="true">' +
        '<rect y="1" width="20" height="3"/><rect y="7" width="20" height="3"/>' +
        '<rect y="13" width="20" height="3"/></svg>';
      button.addEventListener('click', () => (touch.sheet === null ? openMenu() : closeMenu()));
      desk.appendChild(button);
      touch.button = button;
    }
    positionMenuButton();
  }

  function positionMenuButton() {
    const at = touch.buttonAt;
    const win = at !== null ? windows.get(at.window) : undefined;
    if (touch.button === null) return;
    touch.button.hidden = win === undefined || !shown(win);
    if (touch.button.hidden) return;
    const where = placed(win);
    const style = touch.button.style;
    style.left = where.left + at.left * where.across + 'px';
    style.top = where.top + at.top * where.across + 'px';
    style.width = at.width * where.across + 'px';
    style.height = at.height * where.across + 'px';
    style.zIndex = String(2 * win.number + 1);
  }

  // A menu text without its mnemonic: "&" marks the letter, "(&N)" a letter in brackets.
  function menuLabel(hex) {
    return gbkToText(hex).replace(/\s*\(&.\)/, '').replace(/&(.)/g, '$1');
  }

  // The menu as a sheet of large rows under the button: each popup's title, then its items
  // with their check marks. A choice goes to the program as its command.
  function openMenu() {
    if (closed || touch.sheet !== null || touch.button === null) return;
    const shade = document.createElement('div');
    shade.className = 'menu-shade';
    shade.addEventListener('pointerdown', (event) => {
      event.preventDefault();
      closeMenu();
    });
    const sheet = document.createElement('div');
    sheet.className = 'menu-sheet';
    sheet.setAttribute('role', 'menu');
    sheet.setAttribute('aria-label', text('menu'));
    for (const popup of touch.menu) {
      const group = document.createElement('div');
      group.className = 'menu-group';
      group.setAttribute('role', 'group');
      const heading = document.createElement('div');
      heading.className = 'menu-heading';
      heading.textContent = menuLabel(popup.title);
      group.setAttribute('aria-label', heading.textContent);
      group.appendChild(heading);
      sheet.appendChild(group);
      for (const item of popup.items) {
        if (item.separator) continue;
        const row = document.createElement('button');
        row.type = 'button';
        row.className = 'menu-item';
        row.dataset.command = String(item.command);
        row.setAttribute('role', 'menuitem');
        row.dataset.checked = String(item.checked);
        row.textContent = menuLabel(item.text);
        if (item.checked) row.setAttribute('aria-label', row.textContent + ' \u2713');
        row.addEventListener('click', () => {
          closeMenu();
          push({ kind: kind.command, window: 0, x: item.command, y: 0, modifiers: 0,
                 repeat: false, code: '', key: '', text: [] });
        });
        group.appendChild(row);
      }
    }
    sheet.addEventListener('keydown', (event) => {
      event.stopPropagation();  // the menu's keys are the page's, not the game's
      if (event.key === 'Escape') closeMenu();
    });
    desk.appendChild(shade);
    desk.appendChild(sheet);
    touch.sheet = { shade, sheet };
    touch.button.setAttribute('aria-expanded', 'true');
    // Below the button, or above it where the screen ends first; inside the screen.
    const view = viewSize();
    const button = touch.button.getBoundingClientRect();
    const width = sheet.offsetWidth;
    const height = Math.min(sheet.offsetHeight, view.height - 2 * touchMargin);
    const left = Math.min(Math.max(touchMargin, button.left + button.width / 2 - width / 2),
                          view.width - width - touchMargin);
    let top = button.bottom + 4;
    if (top + height > view.height - touchMargin) {
      top = Math.max(touchMargin, button.top - 4 - height);
    }
    sheet.style.left = left + window.scrollX + 'px';
    sheet.style.top = top + window.scrollY + 'px';
    sheet.style.maxHeight = height + 'px';
    sheet.querySelector('.menu-item')?.focus({ preventScroll: true });
  }

  function closeMenu() {
    if (touch.sheet === null) return;
    touch.sheet.shade.remove();
    touch.sheet.sheet.remove();
    touch.sheet = null;
    touch.button?.setAttribute('aria-expanded', 'false');
  }

  // ---- A text input of the page's own over the program's edit field, so that a phone's
  // keyboard and every input method type into it; the program gets its whole text at each
  // change and checks it as it checks what is typed into its own field.

  const field = { input: null, window: 0, rect: null };

  function showTextField(number, left, top, width, height, gbk) {
    if (!windows.has(number)) return;
    const fresh = field.input === null || field.window !== number;
    if (fresh) {
      removeTextField();
      field.input = makeTextInput();
      desk.appendChild(field.input);
    }
    field.window = number;
    field.rect = { left, top, width, height };
    const text = new TextDecoder('gbk').decode(gbk);
    if (field.input.value !== text) field.input.value = text;
    placeTextField();
    refreshTextField();
    if (fresh && !field.input.readOnly) {
      field.input.focus({ preventScroll: true });
      field.input.select();
    }
  }

  function makeTextInput() {
    const input = document.createElement('input');
    input.type = 'text';
    input.className = 'text-field';
    input.setAttribute('aria-label', text('name'));
    input.setAttribute('autocapitalize', 'off');
    input.setAttribute('autocorrect', 'off');
    input.setAttribute('autocomplete', 'off');
    input.setAttribute('enterkeyhint', 'done');
    input.spellcheck = false;
    input.addEventListener('input', () => {
      push({ kind: kind.fieldChanged, window: field.window, x: 0, y: 0, modifiers: 0,
             repeat: false, code: '', key: '', text: [] });
    });
    // A size change that waited for the typing to end.
    input.addEventListener('blur', () => {
      if (touch.on) setTimeout(layout, 0);
    });
    return input;
  }

  function removeTextField() {
    if (field.input !== null) field.input.remove();
    field.input = null;
    field.window = 0;
  }

  function textFieldFocused() {
    return field.input !== null && document.activeElement === field.input;
  }

  // Over the drawn field, in a font of its size; on a touch screen at least a finger high
  // and in a font a phone does not zoom in on.
  function placeTextField() {
    const win = windows.get(field.window);
    if (field.input === null || win === undefined) return;
    const where = placed(win);
    const rect = field.rect;
    let top = where.top + rect.top * where.across;
    let height = rect.height * where.across;
    if (touch.on && height < touchTarget) {
      top -= (touchTarget - height) / 2;
      height = touchTarget;
    }
    const style = field.input.style;
    style.left = where.left + rect.left * where.across + 'px';
    style.top = top + 'px';
    style.width = rect.width * where.across + 'px';
    style.height = height + 'px';
    style.fontSize = Math.max(touch.on ? 16 : 0, 11 * where.across) + 'px';
    style.zIndex = String(touch.on ? 2 * win.number + 1 : win.number);
  }

  // The input takes text only while its window is the top one: a message box over it has the
  // keyboard, and the input has it back when the box is gone.
  function refreshTextField() {
    const win = windows.get(field.window);
    if (field.input === null || win === undefined) return;
    field.input.hidden = !shown(win);
    const covered = [...windows].some(([number, each]) => number > field.window && shown(each) &&
                                                          each.kind !== windowKind.tool);
    if (covered === field.input.readOnly) return;
    field.input.readOnly = covered;
    if (covered) {
      field.input.blur();
    } else if (!field.input.hidden) {
      field.input.focus({ preventScroll: true });
    }
  }

  // Keys the input handles itself while it has the keyboard: typing, an input method's
  // composing, and moving and deleting in the text. Enter, Escape, Tab, the function keys and
  // Alt's go to the program as ever.
  function textFieldTakes(event) {
    if (field.input === null || event.target !== field.input || field.input.readOnly) return false;
    if (event.isComposing || event.keyCode === 229) return true;
    if (event.altKey) return false;
    if ([...event.key].length === 1) return true;
    return ['Backspace', 'Delete', 'ArrowLeft', 'ArrowRight', 'Home', 'End'].includes(event.key);
  }

  // The input's text as GBK; a character without a GBK form becomes a full-width question mark,
  // which the program refuses as it refuses every letter that is not Latin.
  function textFieldText() {
    if (field.input === null) return [];
    const bytes = [];
    for (const character of field.input.value) {
      const one = toGbk(character);
      if (one.length > 0) bytes.push(...one);
      else bytes.push(0xa3, 0xbf);
    }
    return bytes;
  }

  // The desk's layout moves the windows when the browser window changes size; the input follows.
  window.addEventListener('resize', () => requestAnimationFrame(placeTextField));

  // What follows a window's show, hide or close: its text input, the dim layer and the button.
  function windowsChanged(number, nowShown) {
    if (number === field.window && !nowShown) removeTextField();
    refreshTextField();
    if (touch.on) {
      dimUnderDialogs();
      positionMenuButton();
      if (!nowShown) layout();  // a tall dialog that let the page scroll is gone
    }
  }

  // ---- The page's texts, in the shown language
  //
  // Every text the page itself shows or announces, one table per language; the shown language
  // is the program's (chosen below), and setLanguage() switches the page to another.
  const pageTexts = {
    'zh-CN': {
      description: 'Color rolvi：在 9×9 的棋盘上移动彩色小球，同色五个连成一线即可消除得分的单人益智游戏。',
      loading: '正在载入 Color rolvi…',
      stopped: 'Color rolvi 已停止：',
      closed: 'Color rolvi 已关闭——点击或按 Enter 键再玩一局',
      mainWindow: 'Color rolvi 游戏窗口：9×9 的棋盘、下一组小球、得分和排行榜第一名',
      window: 'Color rolvi 对话框',
      score: '得分 {score}',
      newRecord: '得分 {score}，新纪录！',
      gameOver: '游戏结束，得分 {score}',
      newGame: '新游戏',
      menu: '菜单',
      name: '你的名字',
    },
    en: {
      description: 'Color rolvi: move coloured balls on a 9 by 9 board; five of a colour in a line ' +
                   'leave the board and score. A single-player puzzle game.',
      loading: 'Loading Color rolvi…',
      stopped: 'Color rolvi stopped: ',
      closed: 'Color rolvi is closed: click or press Enter to play again',
      mainWindow: 'Color rolvi game window: the 9 by 9 board, the next balls, the score and ' +
                  'the record holder',
      window: 'Color rolvi dialog',
      score: 'Score {score}',
      newRecord: 'Score {score}, a new record!',
      gameOver: 'Game over, score {score}',
      newGame: 'New game',
      menu: 'Menu',
      name: 'Your name',
    },
  };
  let language = 'zh-CN';

  // The text `name` in the shown language, with {placeholders} filled from `values`.
  function text(name, values = {}) {
    return pageTexts[language][name].replace(/\{(\w+)\}/g, (_, key) => String(values[key]));
  }

  function setLanguage(tag) {
    if (!(tag in pageTexts)) return false;
    language = tag;
    document.documentElement.lang = tag;
    document.querySelector('meta[name="description"]')?.setAttribute('content', text('description'));
    const notice = document.getElementById('status');
    if (notice) notice.textContent = text(closed ? 'closed' : 'loading');
    let first = true;
    for (const win of windows.values()) {
      label(win.canvas, first);
      first = false;
    }
    touch.button?.setAttribute('aria-label', text('menu'));
    field.input?.setAttribute('aria-label', text('name'));
    return true;
  }

  // The languages the player wants, most wanted first: a `?lang=en` or `?lang=zh` in the
  // address (a link shared in one language), then the browser's languages. The program picks
  // its texts from the same list, so the page and the program speak alike.
  function wantedLanguages() {
    const asked = parameters.get('lang');
    const browser = navigator.languages?.length ? navigator.languages : [navigator.language];
    return [...(asked === 'en' || asked === 'zh' ? [asked] : []), ...browser]
      .filter((tag) => typeof tag === 'string' && tag !== '');
  }

  // The page's texts for the first wanted language they have ("zh-TW" finds 'zh-CN'), else
  // English, as the program does.
  function pageLanguageFor(wanted) {
    const primary = (tag) => tag.toLowerCase().split(/[-_]/)[0];
    for (const tag of wanted) {
      const found = Object.keys(pageTexts).find((key) => primary(key) === primary(tag));
      if (found !== undefined) return found;
    }
    return 'en';
  }

  const wanted = wantedLanguages();

  // A window's canvas is a picture of the game to assistive technology; what changes in the
  // game is told by the live region.
  function label(canvas, main) {
    canvas.setAttribute('role', 'img');
    canvas.setAttribute('aria-label', text(main ? 'mainWindow' : 'window'));
  }

  // ---- What the live region announces

  let reported = null;  // the game as the program last reported it

  // The program reports the score, whether the board is full (the game is over) and whether the
  // record has been beaten whenever it waits for the player; the page announces what changed.
  function reportGame(score, over, recordBeaten) {
    const last = reported;
    reported = { score, over, recordBeaten };
    if (last === null) return;  // the first game's start is no news
    let news = null;
    if (over && !last.over) {
      news = text('gameOver', { score });
    } else if (!over && (last.over || (score === 0 && last.score !== 0))) {
      news = text('newGame');
    } else if (score !== last.score) {
      news = text(recordBeaten && !last.recordBeaten ? 'newRecord' : 'score', { score });
    }
    if (news !== null) announce(news);
  }

  function announce(news) {
    const region = document.getElementById('announcer');
    if (!region) return;
    // The same words again are news again: the region is emptied first.
    region.textContent = '';
    requestAnimationFrame(() => {
      region.textContent = news;
    });
  }

  // ---- The closed page

  // The notice is a button: a click on it or on the desk, Enter or Space loads the page again.
  function showClosedNotice() {
    const notice = document.createElement('button');
    notice.type = 'button';
    notice.id = 'status';
    notice.className = 'closed';
    notice.textContent = text('closed');
    desk.appendChild(notice);
    const again = () => window.location.reload();
    desk.addEventListener('click', again);
    document.addEventListener('keydown', (event) => {
      if (event.ctrlKey || event.altKey || event.metaKey) return;
      if (event.key === 'Enter' || event.key === ' ') {
        event.preventDefault();
        again();
      }
    });
    notice.focus();
  }

  // ---- Offline: the service worker keeps this release's files

  // Called once the game shows. The worker starts a second later: on its first visit it fetches
  // every file again, which is not to slow the start.
  function registerServiceWorker() {
    if (!('serviceWorker' in navigator) || !window.isSecureContext) return;
    setTimeout(() => navigator.serviceWorker.register('service-worker.js').catch(() => {}), 1000);
  }

  // ---- The page's own events

  desk.addEventListener('pointerdown', (event) => {
    if (event.target === desk && event.button === 0) mouse(kind.mouseDown, 0, { x: 0, y: 0 });
  });
  document.addEventListener('keydown', onKey);
  document.addEventListener('keyup', onKey);
  document.addEventListener('pointerdown', unlockAudio, true);
  document.addEventListener('keydown', unlockAudio, true);
  window.addEventListener('blur', () => push({ kind: kind.focusLost, window: 0, x: 0, y: 0,
                                               modifiers: 0, repeat: false, code: '', key: '',
                                               text: [] }));
  window.addEventListener('resize', layout);
  // Another tab stored its results (or the storage was cleared): the program reads them in.
  window.addEventListener('storage', (event) => {
    if (event.key === recordsKey || event.key === null) {
      push({ kind: kind.storageChanged, window: 0, x: 0, y: 0, modifiers: 0, repeat: false,
             code: '', key: '', text: [] });
    }
  });
  setLanguage(pageLanguageFor(wanted));
  // A hidden page may be closed or discarded without another word: the program keeps its
  // record table now.
  function keepRecords() {
    if (!closed && typeof Module._rolvi_page_hidden === 'function') Module._rolvi_page_hidden();
  }
  document.addEventListener('visibilitychange', () => {
    if (document.visibilityState === 'hidden') keepRecords();
  });
  window.addEventListener('pagehide', keepRecords);

  // ---- What the program calls

  return {
    now: () => performance.now(),

    nextEvent(raw) {
      const event = queue.shift();
      if (event === undefined) return false;
      const heap = Module.HEAP32;
      const int32 = (offset, value) => { heap[(raw + offset) >> 2] = value; };
      int32(record.kind, event.kind);
      int32(record.window, event.window);
      int32(record.x, event.x);
      int32(record.y, event.y);
      int32(record.modifiers, event.modifiers);
      int32(record.repeat, event.repeat ? 1 : 0);
      const text = event.text.slice(0, record.textSize);
      int32(record.textLength, text.length);
      Module.stringToUTF8(event.code.slice(0, 24), raw + record.code, record.codeSize);
      Module.stringToUTF8(event.key.slice(0, 24), raw + record.key, record.keySize);
      Module.HEAPU8.set(text, raw + record.text);
      return true;
    },

    wait(timeout) {
      if (queue.length > 0 || closed) return Promise.resolve();
      return new Promise((resolve) => {
        let timer = null;
        wake = () => {
          wake = null;
          if (timer !== null) clearTimeout(timer);
          resolve();
        };
        if (timeout >= 0) timer = setTimeout(wake, timeout);
      });
    },

    setDesk(left, top, right, bottom) {
      area = { left, top, right, bottom };
      layout();
    },

    openWindow(width, height, kindOfWindow) {
      const canvas = document.createElement('canvas');
      canvas.width = width;
      canvas.height = height;
      canvas.style.display = 'none';
      canvas.style.zIndex = String(nextWindow);
      const number = nextWindow++;
      const win = { canvas, context: canvas.getContext('2d'), x: 0, y: 0, width, height,
                    kind: kindOfWindow, number };
      label(canvas, windows.size === 0);
      canvas.addEventListener('pointerdown', (event) => {
        if (event.button !== 0) return;
        event.preventDefault();
        canvas.setPointerCapture(event.pointerId);
        mouse(kind.mouseDown, number, canvasPoint(win, event));
      });
      canvas.addEventListener('pointermove', (event) => {
        mouse(kind.mouseMove, number, canvasPoint(win, event));
      });
      canvas.addEventListener('pointerup', (event) => {
        if (event.button !== 0) return;
        mouse(kind.mouseUp, number, canvasPoint(win, event));
      });
      canvas.addEventListener('contextmenu', (event) => event.preventDefault());
      windows.set(number, win);
      desk.appendChild(canvas);
      place(win);
      return number;
    },

    closeWindow(number) {
      const win = windows.get(number);
      if (win === undefined) return;
      win.canvas.remove();
      windows.delete(number);
      windowsChanged(number, false);
    },

    resizeWindow(number, width, height) {
      const win = windows.get(number);
      if (win === undefined) return;
      win.canvas.width = win.width = width;
      win.canvas.height = win.height = height;
      place(win);
    },

    placeWindow(number, x, y) {
      const win = windows.get(number);
      if (win === undefined) return;
      win.x = x;
      win.y = y;
      place(win);
    },

    showWindow(number, shown) {
      const win = windows.get(number);
      if (win === undefined) return;
      win.canvas.style.display = shown ? 'block' : 'none';
      if (shown && !mainShown) {  // the main window is the first to be shown
        mainShown = true;
        mark('main-shown');
        if (status) status.remove();
        registerServiceWorker();
      }
      windowsChanged(number, shown);
    },

    // The part (left, top, partWidth, partHeight) of the window's pixels goes on its canvas.
    present(number, bytes, width, height, left, top, partWidth, partHeight) {
      const win = windows.get(number);
      if (win === undefined || win.width !== width || win.height !== height) return;
      const pixels = new Uint8ClampedArray(bytes.buffer, bytes.byteOffset, width * height * 4);
      win.context.putImageData(new ImageData(pixels, width, height), 0, 0, left, top, partWidth,
                               partHeight);
      copiedBytes += partWidth * partHeight * 4;
      if (mainShown && !('first-frame' in marks) && win.canvas.style.display !== 'none') {
        if (parameters.has('seed')) firstFrame = win.context.getImageData(0, 0, width, height);
        marks['first-frame'] = -1;
        requestAnimationFrame(() => {
          marks['first-frame'] = performance.now();
        });
      }
    },

    // The program's texts are GBK bytes.
    setTitle(bytes) {
      document.title = new TextDecoder('gbk').decode(bytes);
    },

    // A problem the player should know of (a result that could not be saved): a line across
    // the top of the page until the next one, or a click on it.
    showNotice(bytes) {
      let notice = document.getElementById('problem');
      if (notice === null) {
        notice = document.createElement('p');
        notice.id = 'problem';
        notice.setAttribute('role', 'alert');
        notice.addEventListener('click', () => notice.remove());
        (document.querySelector('main') || document.body).appendChild(notice);
      }
      notice.textContent = new TextDecoder('gbk').decode(bytes);
    },

    chime,

    // A touch screen: whether the page is one, its size, and the menu behind the button.
    touchScreen: () => touch.on,
    viewSize() {
      touch.view = viewSize();
      return touch.view;
    },
    placeMenuButton,
    setMenu(json) {
      touch.menu = JSON.parse(json);
    },
    setMenuCheck(command, checked) {
      for (const popup of touch.menu) {
        for (const item of popup.items) {
          if (item.command === command) item.checked = checked;
        }
      }
    },

    // The text input over an edit field.
    showTextField,
    textFieldText,

    showClosed() {
      closed = true;
      closeMenu();
      if (touch.button !== null) touch.button.remove();
      touch.button = null;
      for (const number of [...windows.keys()]) this.closeWindow(number);
      showClosedNotice();
    },

    storageRead,
    storageWrite,
    reportGame,
    setLanguage,
    text,
    // The wanted languages for the program, as one comma-separated line.
    wantedLanguages: () => wanted.join(','),

    // The test build's seed: ?seed=N, or -1.
    testSeed() {
      const seed = parameters.get('seed');
      return seed !== null && /^[0-9]{1,9}$/.test(seed) ? Number(seed) : -1;
    },

    // For the page's tests and for measuring: times since navigation, the scale, the bytes put
    // on the canvases, the first frame shown (test build), and the program's own description
    // of itself (test build).
    marks,
    scale: () => scale,
    copiedBytes: () => copiedBytes,
    firstFrame: () => firstFrame,
    isClosed: () => closed,
    waiting: () => wake !== null,
    state() {
      if (typeof Module._rolvi_test_state !== 'function') return null;
      const state = JSON.parse(Module.UTF8ToString(Module._rolvi_test_state()));
      if (state === null) return null;
      const decode = (value, key) => {
        if (Array.isArray(value)) return value.map((item) => decode(item, key));
        if (value !== null && typeof value === 'object') {
          for (const name of Object.keys(value)) value[name] = decode(value[name], name);
          return value;
        }
        return ['caption', 'texts', 'edit', 'name'].includes(key) ? gbkToText(value) : value;
      };
      return decode(state, '');
    },
    canvasOf: (number) => (windows.has(number) ? windows.get(number).canvas : null),
  };
})();

var Module = {
  // The program's code as index.html compiled it while it downloaded; where that failed (a
  // server that does not call it application/wasm, say), fetched and compiled now.
  instantiateWasm(imports, receive) {
    const compiled = window.rolviCode || Promise.reject(new Error('not compiled yet'));
    compiled
      .catch(() => fetch('rolvi.wasm').then((response) => response.arrayBuffer())
        .then((bytes) => WebAssembly.compile(bytes)))
      .then((code) => WebAssembly.instantiate(code, imports)
        .then((instance) => receive(instance, code)))
      .catch((error) => Module.onAbort(String(error)));
    return {};
  },
  onRuntimeInitialized() {
    rolviPage.marks['runtime'] = performance.now();
  },
  onAbort(what) {
    const notice = document.getElementById('status');
    if (notice) notice.textContent = rolviPage.text('stopped') + what;
  },
};
