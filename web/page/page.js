// The page's side: it shows what the core returns and keeps nothing of the
// calculation's own. The core runs in a Web Worker made from the inlined
// worker script (a Blob URL, which works from a page opened from disk).
'use strict';
(() => {
  const $ = (id) => document.getElementById(id);
  const storageKey = 'vortane.boxTexts';
  const worker = new Worker(URL.createObjectURL(
    new Blob([$('worker-source').textContent], { type: 'text/javascript' })));
  let nextId = 1;
  const pending = new Map();
  const timings = { opened: performance.timeOrigin };
  window.vortaneTimings = timings;
  let fields = [];
  let caseName = 'case.vcase';
  // The conversion of the box just left, which OK waits for.
  let converting = Promise.resolve();

  function call(method, ...args) {
    return new Promise((resolve, reject) => {
      const id = nextId++;
      pending.set(id, { resolve, reject, method });
      worker.postMessage({ id, method, args });
    });
  }
  worker.onmessage = (event) => {
    const data = event.data;
    if ('ready' in data) return data.ready ? start(data) : failed(data.failure);
    const waiting = pending.get(data.id);
    pending.delete(data.id);
    timings['last ' + waiting.method] = data.took;
    if ('failure' in data) waiting.reject(new Error(data.failure)); else waiting.resolve(data.result);
  };
  worker.onerror = (event) => failed(event.message);

  function failed(text) {
    $('state').textContent = 'The calculation core could not start: ' + text;
  }

  // Messages one after another, as the window's message boxes; resolves when
  // the last is closed.
  const dialog = $('message');
  async function showMessages(texts) {
    for (const text of texts) {
      $('message-text').textContent = text;
      dialog.showModal();
      $('message-ok').focus();
      await new Promise((resolve) => dialog.addEventListener('close', resolve, { once: true }));
    }
  }

  // Tabs and boxes, from the core's table of inputs.
  function selectPage(page, focusTab) {
    document.querySelectorAll('[role=tab]').forEach((tab, index) => {
      const chosen = index === page;
      tab.setAttribute('aria-selected', String(chosen));
      tab.tabIndex = chosen ? 0 : -1;
      $('page-' + index).hidden = !chosen;
      if (chosen && focusTab) tab.focus();
    });
  }
  function buildPages(titles) {
    titles.forEach((title, page) => {
      const tab = document.createElement('button');
      tab.type = 'button';
      tab.id = 'tab-' + page;
      tab.setAttribute('role', 'tab');
      tab.setAttribute('aria-controls', 'page-' + page);
      tab.textContent = title;
      tab.addEventListener('click', () => selectPage(page, false));
      tab.addEventListener('keydown', (event) => {
        const step = { ArrowRight: 1, ArrowLeft: -1 }[event.key];
        if (step) selectPage((page + step + titles.length) % titles.length, true);
      });
      $('tabs').append(tab);
      const panel = document.createElement('div');
      panel.id = 'page-' + page;
      panel.className = 'page';
      panel.setAttribute('role', 'tabpanel');
      panel.setAttribute('aria-labelledby', tab.id);
      $('pages').append(panel);
    });
    for (const field of fields) {
      const row = document.createElement('div');
      row.className = 'field';
      const label = document.createElement('label');
      label.htmlFor = 'Edit' + field.box;
      label.textContent = field.caption;
      const box = document.createElement('input');
      box.id = 'Edit' + field.box;
      box.name = field.name;
      box.autocomplete = 'off';
      box.spellcheck = false;
      box.value = field.defaultText;
      box.addEventListener('input', keepTexts);
      box.addEventListener('change', () => { converting = convertTypedUnit(field, box); });
      row.append(label, box);
      $('page-' + field.page).append(row);
    }
    selectPage(0, false);
  }
  const boxOf = (field) => $('Edit' + field.box);
  const boxTexts = () => fields.map((field) => boxOf(field).value);
  function setBoxTexts(texts) {
    fields.forEach((field, index) => { boxOf(field).value = texts[index]; });
    keepTexts();
  }

  // The last texts typed stay in the browser's storage until the next visit.
  function keepTexts() {
    try { localStorage.setItem(storageKey, JSON.stringify(boxTexts())); } catch { /* storage refused: nothing kept */ }
  }
  function restoreTexts() {
    let kept = null;
    try { kept = JSON.parse(localStorage.getItem(storageKey)); } catch { kept = null; }
    const usable = Array.isArray(kept) && kept.length === fields.length && kept.every((t) => typeof t === 'string');
    if (usable) setBoxTexts(kept);
    $('kept').textContent = (usable ? 'The texts last typed here were restored. ' : '') +
      'What you type is kept in this browser’s storage and restored when the page is opened again.';
  }

  // A number typed with a unit becomes the box's own number on leaving it.
  async function convertTypedUnit(field, box) {
    const typed = await call('typedText', field.box, box.value);
    if (typed.error) return showMessages([typed.error]);
    if (typed.text !== box.value) { box.value = typed.text; keepTexts(); }
  }

  function table(title, values) {
    if (values.length === 0) return null;
    const element = document.createElement('table');
    const caption = element.createCaption();
    caption.textContent = title;
    for (const value of values) {
      const row = element.insertRow();
      const head = document.createElement('th');
      head.scope = 'row';
      head.textContent = value.caption;
      row.append(head);
      row.insertCell().textContent = value.text;
    }
    return element;
  }

  function showRun(run) {
    const warnings = $('warnings');
    warnings.replaceChildren();
    warnings.hidden = run.warnings.length === 0;
    if (run.warnings.length) {
      const heading = document.createElement('h3');
      heading.textContent = run.warnings.length === 1 ? 'Warning' : run.warnings.length + ' warnings';
      const list = document.createElement('ul');
      for (const text of run.warnings) list.append(Object.assign(document.createElement('li'), { textContent: text }));
      warnings.append(heading, list);
    }
    const outcome = [run.completion || run.messages.join(' '), run.detail,
      run.blocksHeld ? 'The report holds ' + run.blocksHeld + '.' : ''].filter(Boolean);
    $('outcome').textContent = outcome.join('\n');
    $('outcome').className = run.completion ? 'note complete' : 'note stopped';
    $('tables').replaceChildren(...[table('Channel characteristics', run.channel), table('Results', run.results),
      table('Design indicators', run.indicators)].filter(Boolean));
    $('chart').hidden = !run.chart;
    $('chart-picture').innerHTML = run.chart;
    if (run.profileFault) $('outcome').textContent += '\n' + run.profileFault;
    $('download-report').disabled = !run.hasReport;
    $('download-html').disabled = false;
  }

  function download(name, parts, type) {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob(parts, { type }));
    link.download = name;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 60000);
  }

  async function runCase(event) {
    event.preventDefault();
    $('ok').disabled = true;
    $('state').textContent = 'Running…';
    const began = performance.now();
    try {
      await converting;
      const run = await call('run', boxTexts(), $('units').value);
      timings.run = performance.now() - began;
      timings.runInCore = timings['last run'];
      if (run.error) return showMessages([run.error]);
      showRun(run);
      $('state').textContent = run.completion ? 'Run complete.' : 'Run stopped.';
      await showMessages(run.completion ? [...run.messages, run.completion] : run.messages);
      if (run.focusBox) {
        const field = fields[run.focusBox - 1];
        selectPage(field.page, false);
        boxOf(field).focus();
        boxOf(field).select();
      }
    } finally {
      $('ok').disabled = false;
    }
  }

  function start(data) {
    fields = data.fields;
    timings.coreStartup = data.startup;
    buildPages(data.titles);
    restoreTexts();
    $('case-form').addEventListener('submit', runCase);
    $('units').addEventListener('change', async () => {
      const run = await call('lastRun', $('units').value);
      if (!run.error) showRun(run);
    });
    $('download-report').addEventListener('click', async () => download('result.txt', [await call('report')], 'text/plain'));
    $('download-html').addEventListener('click', async () => {
      const page = await call('html', $('units').value);
      if (page.error) return showMessages([page.error]);
      download(caseName.replace(/\.[^.]*$/, '') + '.html', [page.text], 'text/html');
    });
    $('open').addEventListener('click', () => $('open-file').click());
    $('open-file').addEventListener('change', async () => {
      const file = $('open-file').files[0];
      $('open-file').value = '';
      if (!file) return;
      const opened = await call('openCase', file.name, await file.text());
      if (opened.error) return showMessages([opened.error]);
      caseName = file.name;
      setBoxTexts(opened.texts);
      $('state').textContent = 'Opened ' + file.name + '.';
    });
    $('save').addEventListener('click', async () => {
      const saved = await call('saveCase', boxTexts());
      if (saved.error) return showMessages([saved.error]);
      download(caseName, [saved.text], 'text/plain');
    });
    for (const id of ['ok', 'open', 'save']) $(id).disabled = false;
    timings.ready = performance.now();
    $('state').textContent = 'Ready: the calculation runs in this page, offline.';
    document.body.dataset.ready = 'true';
  }
})();
