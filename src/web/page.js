// The page: turns the browser's input into the game's calls and shows what they change.
// It decides nothing about the game; where each thing goes, what a key or a click does
// and what a screen reader hears all come from the WebAssembly side.
Module.onRuntimeInitialized = () => {
  const $ = (id) => document.getElementById(id);
  const make = (tag, props = {}, parent = null) => {
    const e = Object.assign(document.createElement(tag), props);
    if (parent) parent.appendChild(e);
    return e;
  };
  const attrs = (e, a) => { for (const k in a) e.setAttribute(k, a[k]); return e; };
  const json = (ptr) => JSON.parse(UTF8ToString(ptr));
  // Pixels the game drew. A call that allocates may grow the memory and so replace its
  // buffer: the pointer is taken first, the buffer read after.
  const pixels = (ptr, n) => new Uint8ClampedArray(HEAPU8.buffer, ptr, n);

  const canvas = $('canvas'), client = $('client'), win = $('window');
  const context = canvas.getContext('2d');
  // Device pixels per CSS pixel, and how many times its layout's size the game is shown.
  let ratio = window.devicePixelRatio || 1, zoom = 1;
  const L = json(_brindle_layout());
  // Every element placed by a layout box, to be placed again at another zoom.
  const placed = new Map();
  const place = (e, box) => {
    placed.set(e, box);
    const [x, y, w, h] = box.map((v) => v * zoom + 'px');
    Object.assign(e.style, { left: x, top: y, width: w, height: h });
  };
  const { Kind, Entry, Does, Pointer, Button, Key, Update } = L.enums;
  // The zoom, for the page's style and the picture the caption's icon takes.
  function setZoom(k) {
    zoom = k;
    document.documentElement.style.setProperty('--k', String(zoom));
    $('icon').sizes = 16 * zoom + 'px';
  }
  const fitting = () => _brindle_zoom(document.documentElement.clientWidth, document.documentElement.clientHeight);
  setZoom(fitting());
  _brindle_start(ratio, zoom);

  // The canvas: its backing store in device pixels, its CSS size exactly that, and the
  // client area its size, so that the frame never cuts into it.
  function size() {
    const w = _brindle_canvas() >> 16, h = _brindle_canvas() & 0xffff;
    canvas.width = w;
    canvas.height = h;
    client.style.width = canvas.style.width = w / ratio + 'px';
    client.style.height = canvas.style.height = h / ratio + 'px';
  }
  size();

  // The window centred on the page, its canvas on a whole device pixel: elsewhere the
  // browser would resample it and every pixel blur. On a page smaller than the window
  // it starts at the top left, and the page scrolls.
  function centre() {
    const page = document.documentElement, w = win.getBoundingClientRect();
    const offset = client.getBoundingClientRect().top - w.top;
    const left = Math.max(0, (page.clientWidth - w.width) / 2);
    const top = Math.max(0, (page.clientHeight - w.height) / 2);
    win.style.left = _brindle_snap(left) + 'px';
    win.style.top = _brindle_snap(top + offset) - offset + 'px';
  }
  // At a new size or ratio: the game drawn anew at the zoom that fits, and centred.
  function layOut() {
    const k = fitting(), r = window.devicePixelRatio || 1;
    if (k !== zoom || r !== ratio) {
      setZoom(k);
      ratio = r;
      _brindle_start(ratio, zoom);
      size();
      // Not destructured in a loop's head: the build's minifier breaks that.
      placed.forEach((box, e) => (e.isConnected ? place(e, box) : placed.delete(e)));
      narrowed.clear();
      show();
      for (const e of client.querySelectorAll('.caption')) fit(e);
    }
    centre();
  }
  window.addEventListener('resize', layOut);

  // Over the canvas: the captions, and what screen readers find where it draws, in the
  // order they meet it.
  for (const c of L.controls) {
    const caption = c.kind === Kind.Label || c.kind === Kind.ClockLabel;
    const e = make('div', { id: c.name, className: caption ? 'caption' + (c.right ? ' right' : '') : 'spoken', hidden: !c.visible, textContent: c.caption }, client);
    place(e, c.box);
    if (!c.role) { attrs(e, { 'aria-hidden': 'true' }); continue; }
    attrs(e, { role: c.role, 'aria-label': c.label });
    if (c.role === 'progressbar') attrs(e, { 'aria-valuemin': String(L.bar[0]), 'aria-valuemax': String(L.bar[1]) });
    if (c.cell < 0) continue;
    attrs(e, { 'aria-pressed': 'false', tabindex: '-1' });
    e.addEventListener('click', () => run(() => _brindle_press(c.cell)));
  }
  const isCell = (e) => e && e.parentElement === client && e.getAttribute('role') === 'button';

  // The menus, by the ARIA menu bar pattern.
  const entries = L.menus.map((m, i) => Object.assign({ index: i }, m));
  const items = [], menuOf = { '': $('menubar') };
  let openTop = null;
  for (const m of entries) {
    const parent = menuOf[m.parent];
    if (m.kind === Entry.Separator) {
      items[m.index] = attrs(make('div', {}, parent), { role: 'separator' });
      continue;
    }
    const holder = m.parent === '' ? make('div', { style: 'position:relative;display:flex' }, parent) : parent;
    const item = attrs(make('div', { textContent: m.caption, id: m.name }, holder), { role: 'menuitem', tabindex: '-1' });
    items[m.index] = item;
    if (m.kind === Entry.Menu) {
      const menu = attrs(make('div', { hidden: true }, m.parent === '' ? holder : item), { role: 'menu', 'aria-label': m.caption });
      attrs(item, { 'aria-haspopup': 'menu', 'aria-expanded': 'false' });
      menuOf[m.name] = menu;
      item.menu = menu;
    }
    item.entry = m;
  }
  const top = [...$('menubar').querySelectorAll(':scope > div > [role="menuitem"]')];
  top[0].tabIndex = 0;
  const inMenu = (menu) => [...menu.children].filter((e) => e.getAttribute('role') === 'menuitem');
  function showMenu(item, shown) {
    if (!item.menu) return;
    item.menu.hidden = !shown;
    item.setAttribute('aria-expanded', String(shown));
    if (!shown) for (const sub of inMenu(item.menu)) showMenu(sub, false);
  }
  function closeMenus(focusBoard = true) {
    if (openTop) showMenu(openTop, false);
    openTop = null;
    if (focusBoard) client.focus();
  }
  function openMenu(item, focusFirst) {
    if (openTop && openTop !== item) showMenu(openTop, false);
    openTop = item;
    showMenu(item, true);
    (focusFirst ? inMenu(item.menu)[0] : item).focus();
  }
  function activate(item) {
    if (item.menu) {
      if (item.parentElement.parentElement.id === 'menubar') openMenu(item, true);
      else { showMenu(item, true); inMenu(item.menu)[0].focus(); }
      return;
    }
    if (item.getAttribute('aria-disabled') === 'true') return;
    closeMenus();
    choose(item.entry.index);
  }
  $('menubar').addEventListener('click', (ev) => {
    const item = ev.target.closest('[role="menuitem"]');
    if (!item) return;
    if (item.menu && item === openTop) closeMenus();
    else activate(item);
  });
  $('menubar').addEventListener('mouseover', (ev) => {
    const item = ev.target.closest('[role="menuitem"]');
    if (!item || !openTop) return;
    if (top.includes(item)) { if (item !== openTop) openMenu(item, false); return; }
    item.focus();
    const siblings = inMenu(item.parentElement);
    for (const s of siblings) if (s !== item) showMenu(s, false);
    if (item.menu) showMenu(item, true);
  });
  $('menubar').addEventListener('keydown', (ev) => {
    const item = ev.target.closest('[role="menuitem"]');
    if (!item) return;
    const isTop = top.includes(item);
    const list = isTop ? top : inMenu(item.parentElement);
    const step = (d) => list[(list.indexOf(item) + d + list.length) % list.length].focus();
    const topOf = () => top.find((t) => t.menu.contains(item));
    const beside = (from, d) => top[(top.indexOf(from) + d + top.length) % top.length];
    switch (ev.key) {
      case 'ArrowRight':
        if (isTop && openTop) openMenu(beside(item, 1), false);
        else if (isTop) step(1);
        else if (item.menu) activate(item);
        else openMenu(beside(topOf(), 1), true);
        break;
      case 'ArrowLeft':
        if (isTop && openTop) openMenu(beside(item, -1), false);
        else if (isTop) step(-1);
        else if (item.parentElement !== topOf().menu) { const up = item.parentElement.parentElement; showMenu(up, false); up.focus(); }
        else openMenu(beside(topOf(), -1), true);
        break;
      case 'ArrowDown': if (isTop) openMenu(item, true); else step(1); break;
      case 'ArrowUp': if (!isTop) step(-1); break;
      case 'Enter': case ' ': activate(item); break;
      case 'Escape':
        if (isTop) closeMenus();
        else if (item.parentElement === topOf().menu) { showMenu(topOf(), false); topOf().focus(); openTop = null; }
        else { const up = item.parentElement.parentElement; showMenu(up, false); up.focus(); }
        break;
      case 'Tab': closeMenus(); break;
      default: return;
    }
    ev.preventDefault();
  });
  document.addEventListener('pointerdown', (ev) => {
    if (openTop && !$('menubar').contains(ev.target)) closeMenus(false);
  });
  // As on the desktop, a menu closes when its window loses the focus.
  window.addEventListener('blur', () => { if (openTop) closeMenus(false); });

  // The timers the game runs, each a real timer; nothing runs while none is on.
  const running = [];
  function setTimer(i, go) {
    if (go && !running[i]) running[i] = setInterval(() => run(() => _brindle_tick(i)), L.timers[i].ms);
    if (!go && running[i]) { clearInterval(running[i]); running[i] = 0; }
  }
  // A hidden tab's timers are slowed down; shown again, the clock catches up at once.
  const clockTimer = L.timers.findIndex((t) => t.clock);
  document.addEventListener('visibilitychange', () => {
    if (!document.hidden) run(() => _brindle_tick(clockTimer));
  });

  // Shows what the last calls changed.
  function show() {
    const u = json(_brindle_update());
    if (u.drawn) {
      const [x, y, w, h] = u.drawn;
      const data = pixels(_brindle_pixels(), canvas.width * canvas.height * 4);
      context.putImageData(new ImageData(data, canvas.width, canvas.height), 0, 0, x, y, w, h);
    }
    for (const set of u.set) {
      const what = set.what, index = set.index, on = set.on, text = set.text, e = $(set.id);
      if (what === Update.Shown) e.hidden = !on;
      else if (what === Update.Pressed) e.setAttribute('aria-pressed', String(on));
      else if (what === Update.Name) e.setAttribute('aria-label', text);
      else if (what === Update.Entry) items[index].setAttribute('aria-disabled', String(!on));
      else if (what === Update.Timer) setTimer(index, on);
      else if (what === Update.Value && e.getAttribute('role') === 'progressbar') e.setAttribute('aria-valuenow', text);
      else if (what === Update.Value || what === Update.Caption) {
        e.textContent = text;
        // Measured once the page is drawn, not while it is being laid out; a text it
        // has measured before, at this size, is not measured again.
        if (e.classList.contains('caption')) {
          const known = narrowed.get(shown(e));
          if (known === undefined) requestAnimationFrame(() => fit(e));
          else e.style.transform = known;
        }
      } else if (what === Update.Focus && !modal()) {
        if (e) e.focus();
        else if (isCell(document.activeElement)) client.focus();
      }
    }
  }
  // A caption wider than its box is drawn narrower, as much as the game says. The clock's
  // captions show the same few texts again and again: each is measured once at a size.
  const narrowed = new Map(), shown = (e) => e.id + '\n' + e.textContent;
  function fit(e) {
    e.style.transform = '';
    const room = _brindle_device(placed.get(e)[2]);
    const needed = e.scrollWidth * ratio;
    const n = _brindle_narrowing(needed, room);
    e.style.transform = n < 1 ? `scaleX(${n})` : '';
    narrowed.set(shown(e), e.style.transform);
  }
  function run(call) {
    call();
    show();
  }
  const modal = () => _brindle_modal() !== 0;

  // The board's pointers, each finger one of its own.
  const pointer = (what) => (ev) => {
    const button = ev.button === 0 ? Button.left : Button.other;
    // The document closes an open menu after this: the press that does it does no more.
    run(() => _brindle_pointer(Pointer[what], button, ev.offsetX, ev.offsetY, ev.pointerId, openTop ? 1 : 0));
    if (what !== 'down') return;
    canvas.setPointerCapture(ev.pointerId);
    client.focus({ preventScroll: true });
    ev.preventDefault();
  };
  for (const what of ['down', 'up', 'cancelled']) canvas.addEventListener(what === 'cancelled' ? 'pointercancel' : 'pointer' + what, pointer(what));
  client.addEventListener('keydown', (ev) => {
    let took = 0;
    run(() => { took = _brindle_key(ev.key in Key ? Key[ev.key] : Key.other); });
    if (took) ev.preventDefault();
  });
  document.addEventListener('keydown', (ev) => {
    // The menus from the keyboard, as on the desktop: F10, or Alt alone.
    if (modal() || $('menubar').contains(document.activeElement)) return;
    if (ev.key === 'F10' || (ev.key === 'Alt' && !ev.repeat)) { top[0].focus(); ev.preventDefault(); }
  });

  // The stop box and the information windows: modal, over a page that takes no input
  // at all, not even from a screen reader.
  function choose(index) {
    let asked = null;
    run(() => { asked = json(_brindle_open(index)); });
    if (asked.does === Does.Nothing) return;
    win.inert = true;
    const layer = make('div', {}, $('dialogs'));
    // A click beside the window leaves the focus in it, as a desktop's modal window does.
    layer.addEventListener('pointerdown', (ev) => { if (ev.target === layer) ev.preventDefault(); });
    const close = (ok) => {
      layer.remove();
      win.inert = false;
      run(() => _brindle_close(ok ? 1 : 0));
      client.focus();
    };
    if (asked.does === Does.AskStop) stopBox(layer, close);
    else if (asked.does === Does.ShowInfo) infoWindow(layer, L.windows[asked.which], close);
  }
  function titled(layer, role, title) {
    const box = attrs(make('div', { tabIndex: -1 }, layer), { role, 'aria-modal': 'true' });
    const t = make('div', { className: 'title', textContent: title, id: 'dialog-title' }, box);
    attrs(box, { 'aria-labelledby': t.id });
    return box;
  }
  function stopBox(layer, close) {
    const box = titled(layer, 'alertdialog', L.stopTitle);
    const body = make('div', { className: 'box' }, box);
    const text = make('p', { textContent: L.stopText, id: 'dialog-text' }, body);
    attrs(box, { 'aria-describedby': text.id });
    const buttons = make('div', { className: 'buttons' }, body);
    const ok = make('button', { textContent: L.ok, id: 'ok', className: 'default' }, buttons);
    const cancel = make('button', { textContent: L.cancel, id: 'cancel' }, buttons);
    ok.addEventListener('click', () => close(true));
    cancel.addEventListener('click', () => close(false));
    box.addEventListener('keydown', (ev) => {
      if (ev.key === 'Escape') { close(false); ev.preventDefault(); }
      if (ev.key === 'Tab') { (document.activeElement === ok ? cancel : ok).focus(); ev.preventDefault(); }
    });
    ok.focus();
  }
  function infoWindow(layer, w, close) {
    const box = titled(layer, 'dialog', w.caption);
    box.id = w.name;
    const area = make('div', { className: 'client' }, box);
    place(area, [0, 0, w.client[2], w.client[3]]);
    area.style.position = 'relative';
    for (const c of w.controls) {
      if (c.kind === Kind.Label) {
        place(make('div', { className: 'label', textContent: c.lines.join('\n'), id: w.name + '-' + c.name }, area), c.box);
      } else if (c.kind === Kind.Line) {
        place(make('div', { className: 'line' }, area), [c.box[0], c.box[1], c.box[2], 1]);
      } else if (c.kind === Kind.Picture) {
        const p = make('canvas', { width: _brindle_device(c.box[2]), height: _brindle_device(c.box[3]) }, area);
        attrs(p, { 'aria-hidden': 'true' });
        place(p, c.box);
        const px = pixels(_brindle_picture(c.art, p.width, p.height), p.width * p.height * 4);
        p.getContext('2d').putImageData(new ImageData(px.slice(), p.width, p.height), 0, 0);
      }
    }
    // Anywhere in its client area, a left click closes it: a press and a release of the
    // same pointer there. A release anywhere else ends the press.
    let pressed = null;
    layer.addEventListener('pointerdown', (ev) => { pressed = ev.button === 0 && area.contains(ev.target) ? ev.pointerId : null; });
    area.addEventListener('pointerup', (ev) => { if (ev.button === 0 && ev.pointerId === pressed) close(false); });
    for (const type of ['pointerup', 'pointercancel']) layer.addEventListener(type, () => { pressed = null; });
    // Escape closes it; Tab has nowhere else to go while it is up.
    box.addEventListener('keydown', (ev) => {
      if (ev.key === 'Escape') close(false);
      else if (ev.key !== 'Tab') return;
      ev.preventDefault();
    });
    box.focus();
  }

  // A new device pixel ratio (the browser's zoom, another screen).
  const watchRatio = () => matchMedia(`(resolution: ${ratio}dppx)`).addEventListener('change', () => {
    layOut();
    watchRatio();
  }, { once: true });
  watchRatio();

  show();
  layOut();
  win.style.visibility = 'visible';
  client.focus();
  // Served, the site keeps itself for playing offline; opened from disk it cannot.
  if ('serviceWorker' in navigator && location.protocol !== 'file:') navigator.serviceWorker.register('worker.js');
  document.documentElement.dataset.ready = 'true';
};
