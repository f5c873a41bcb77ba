// The page's side: it shows what the core returns and keeps nothing of the
// calculation's own. The core runs in a Web Worker made from the inlined
// worker script (a Blob URL, which works from a page opened from disk).
'use strict';
(() => {
  const $ = (id) => document.getElementById(id);
  const storageKey = 'vortane.boxTexts';
  const workerSource = URL.createObjectURL(new Blob([$('worker-source').textContent], { type: 'text/javascript' }));
  // The core's WebAssembly, inlined compressed: decompressed and compiled once,
  // off the page's thread, and handed to each worker as it starts.
  // (The browser decodes the base64 of a data: URL itself.)
  // Compiling streams: it proceeds as the bytes are decompressed.
  const timings = { opened: performance.timeOrigin };
  const coreModule = (async () => {
    const packed = await fetch('data:application/gzip;base64,' + $('core-wasm').textContent);
    const stream = packed.body.pipeThrough(new DecompressionStream('gzip'));
    const module = await WebAssembly.compileStreaming(
      new Response(stream, { headers: { 'Content-Type': 'application/wasm' } }));
    timings.compiled = performance.now();
    return module;
  })();
  let nextId = 1;
  window.vortaneTimings = timings;
  let fields = [];
  let quantities = [];
  let caseName = 'case.vcase';
  // The conversion of the box just left, which OK waits for.
  let converting = Promise.resolve();

  // A worker holding the core and a session: call(method, args, progress)
  // answers with the result (null once the worker is ended), handing each
  // progress report to `progress` on the way.
  function coreWorker(onReady, onFailure) {
    const worker = new Worker(workerSource);
    const pending = new Map();
    worker.onmessage = (event) => {
      const data = event.data;
      if ('ready' in data) return data.ready ? onReady(data) : onFailure(data.failure);
      const waiting = pending.get(data.id);
      if (!waiting) return;
      if ('progress' in data) return waiting.progress && waiting.progress(data.progress);
      pending.delete(data.id);
      timings['last ' + waiting.method] = data.took;
      if ('failure' in data) waiting.reject(new Error(data.failure)); else waiting.resolve(data.result);
    };
    worker.onerror = (event) => onFailure(event.message);
    coreModule.then((module) => worker.postMessage({ module }), (error) => onFailure(String(error)));
    return {
      lastId: 0,
      call(method, args = [], progress = null) {
        const id = nextId++;
        this.lastId = id;
        return new Promise((resolve, reject) => {
          pending.set(id, { resolve, reject, method, progress });
          worker.postMessage({ id, method, args });
        });
      },
      cancel(id) { worker.postMessage({ cancel: id }); },
      end() {
        worker.terminate();
        for (const waiting of pending.values()) waiting.resolve(null);
        pending.clear();
      },
    };
  }
  const main = coreWorker((data) => start(data), (text) => failed(text));
  const call = (method, ...args) => main.call(method, args);
  // Searches run in a worker of their own, which Cancel ends; one waits ready.
  let searchCore = null;
  function readySearchCore() {
    return new Promise((resolve, reject) => {
      const core = coreWorker(() => resolve(core), (text) => reject(new Error(text)));
    });
  }

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
    $('verdict').hidden = !run.verdict;
    $('verdict').textContent = run.verdict;
    $('verdict').className = run.verdict === 'Feasible' ? 'note complete' : 'note stopped';
    $('limit-table').replaceChildren(...(run.limits.length ? [grid('Limits', [], run.limits.map((r) => r.cells))] : []));
    showComparison();
  }

  // A table of rows of texts, the first cell of each its heading.
  function grid(title, header, rows) {
    const element = document.createElement('table');
    element.createCaption().textContent = title;
    if (header.length) {
      const head = element.createTHead().insertRow();
      // A column without a caption has no header cell.
      for (const text of header) head.append(text ? Object.assign(document.createElement('th'), { scope: 'col', textContent: text }) : document.createElement('td'));
    }
    const body = element.createTBody();
    for (const cells of rows) {
      const row = body.insertRow();
      cells.forEach((text, i) => {
        if (i > 0) return void (row.insertCell().textContent = text);
        row.append(Object.assign(document.createElement('th'), { scope: 'row', textContent: text }));
      });
    }
    return element;
  }
  function choices(select, options) {
    select.replaceChildren(...options.map(([value, text]) => Object.assign(document.createElement('option'), { value, textContent: text })));
  }
  const fieldChoices = () => fields.map((field) => [field.name, field.caption.replace(/^\* /, '').trim()]);
  const quantityChoices = () => quantities.map((quantity, index) => [String(index), quantity.caption]);
  const boxOfName = (name) => fields.find((field) => field.name === name);

  // Limits: the case's, kept in the session (and so in Save case).
  async function applyLimits() {
    const kept = await call('setLimits', $('limits').value);
    if (kept.error) return showMessages([kept.error]);
    $('limits').value = kept.text;
    const run = await call('lastRun', $('units').value);
    if (!run.error) showRun(run);
  }

  // The pinned baseline against the last run, as the core compares them.
  let pinned = false;
  async function showComparison() {
    $('compare-csv').disabled = !pinned;
    if (!pinned) return $('comparison').replaceChildren();
    const compared = await call('compare', $('units').value);
    if (compared.error) return $('comparison').replaceChildren(Object.assign(document.createElement('p'), { className: 'note', textContent: compared.error }));
    const parts = [grid('Baseline and current run', compared.header, compared.rows.map((r) => r.cells))];
    if (compared.warnings.length) {
      const list = document.createElement('ul');
      list.className = 'note';
      for (const text of compared.warnings) list.append(Object.assign(document.createElement('li'), { textContent: text }));
      parts.push(list);
    }
    $('comparison').replaceChildren(...parts);
  }

  // A study: the grid runs in the worker a slice at a time; Cancel keeps the
  // points done.
  let studyId = 0;
  async function suggestRange(axis) {
    const field = boxOfName($('study-field-' + axis).value);
    const disabled = !field;
    for (const part of ['from', 'to', 'step']) $(`study-${part}-${axis}`).disabled = disabled;
    if (!field) return;
    const range = await call('studyRange', field.box, boxOf(field).value);
    for (const part of ['from', 'to', 'step']) $(`study-${part}-${axis}`).value = range[part];
  }
  async function showStudyChart() {
    const chart = await call('studyChart', Number($('study-quantity').value), $('units').value);
    if (chart.error) return;
    $('study-chart').hidden = false;
    $('study-picture').innerHTML = chart.text;
  }
  async function runStudy() {
    const axes = [1, 2].filter((axis) => $('study-field-' + axis).value).map((axis) => ({
      field: $('study-field-' + axis).value, from: $('study-from-' + axis).value,
      to: $('study-to-' + axis).value, step: $('study-step-' + axis).value }));
    await converting;
    $('study-run').disabled = true;
    $('study-cancel').disabled = false;
    $('study-state').textContent = 'Starting…';
    const began = performance.now();
    let charted = began;
    const running = main.call('study', [boxTexts(), axes, $('units').value], (progress) => {
      $('study-progress').max = progress.total;
      $('study-progress').value = progress.done;
      $('study-state').textContent = `${progress.done} of ${progress.total} points`;
      if (performance.now() - charted > 1000) { charted = performance.now(); showStudyChart(); }
    });
    studyId = main.lastId;
    try {
      const end = await running;
      timings.study = performance.now() - began;
      if (end.error) return showMessages([end.error]);
      $('study-state').textContent = (end.done < end.total ? `Cancelled after ${end.done} of ${end.total} points.`
        : `Done: ${end.total} points.`) + (end.stops.length ? ` ${end.stops.length} stopped:` : '');
      $('study-stops').replaceChildren(...end.stops.map((text) => Object.assign(document.createElement('li'), { textContent: text })));
      $('study-csv').disabled = false;
      await showStudyChart();
    } finally {
      studyId = 0;
      $('study-run').disabled = false;
      $('study-cancel').disabled = true;
    }
  }

  // Goal seek and optimisation, in the search worker; Cancel ends it.
  let searchRunning = null;
  let designFound = null;
  const notation = (prefix) => `${$(prefix + '-field').value}=${$(prefix + '-low').value}:${$(prefix + '-high').value}`;
  async function suggestBounds(prefix) {
    const field = boxOfName($(prefix + '-field').value);
    for (const part of ['low', 'high']) $(`${prefix}-${part}`).disabled = !field;
    if (!field) return;
    const range = await call('studyRange', field.box, boxOf(field).value);
    $(prefix + '-low').value = range.from;
    $(prefix + '-high').value = range.to;
  }
  // A search in the search worker, its state in PANEL-state and its Cancel
  // PANEL-cancel: the boxes' case is saved and opened there, then `method` is
  // called with the boxes' texts and `args`, and `show` takes what it found.
  // The buttons and the state change at the click itself, before anything is
  // awaited: a second click cannot start another search, and the last
  // search's answer is never read as this one's.
  async function searchIn(panel, method, args, show) {
    const buttons = ['seek-run', 'optimise-run', 'front-run'];
    for (const id of buttons) $(id).disabled = true;
    $(panel + '-state').textContent = 'Starting…';
    const began = performance.now();
    try {
      await converting;
      const texts = boxTexts();
      const saved = await call('saveCase', texts);
      if (saved.error) {
        $(panel + '-state').textContent = '';
        return showMessages([saved.error]);
      }
      $(panel + '-cancel').disabled = false;
      const core = await (searchCore || (searchCore = readySearchCore()));
      searchRunning = core;
      await core.call('openCase', [caseName, saved.text]);
      const found = await core.call(method, [texts, ...args], (progress) => {
        $(panel + '-state').textContent = `Runs: ${progress.runs}`;
      });
      timings[method] = performance.now() - began;
      if (found === null) return void ($(panel + '-state').textContent = 'Cancelled.');
      if (found.error) {
        $(panel + '-state').textContent = '';
        return showMessages([found.error]);
      }
      show(found);
    } catch (error) {
      searchCore = null;
      $(panel + '-state').textContent = 'The search could not run: ' + error.message;
    } finally {
      searchRunning = null;
      for (const id of buttons) $(id).disabled = false;
      $(panel + '-cancel').disabled = true;
    }
  }
  function search(method, args) {
    $('search-apply').disabled = true;
    return searchIn('search', method, args, (found) => {
      $('search-state').textContent = `${found.end} (runs: ${found.runs})`;
      $('search-result').textContent = found.text + found.warnings.map((line) => line + '\n').join('');
      $('search-chart').hidden = false;
      $('search-picture').innerHTML = found.chart;
      designFound = found.found ? found.texts : null;
      $('search-apply').disabled = !designFound;
    });
  }
  function cancelSearch() {
    if (!searchRunning) return;
    searchRunning.end();
    searchCore = readySearchCore();
  }

  // The Pareto front, in the search worker as a search runs; Cancel ends it.
  // The designs are kept for Apply until the next front.
  let frontDesigns = [];
  let frontCsv = '';
  const frontPrefixes = [1, 2, 3, 4, 5, 6].map((n) => `front-vary-${n}`);
  function findFront() {
    for (const id of ['front-apply', 'front-csv', 'front-design']) $(id).disabled = true;
    const objectives = [1, 2, 3].filter((k) => k < 3 || $('front-third').checked)
      .map((k) => `${$('front-sense-' + k).value} ${$('front-quantity-' + k).value}`);
    const varied = frontPrefixes.filter((prefix) => $(prefix + '-field').value).map(notation);
    return searchIn('front', 'front', [objectives, varied, $('units').value], showFront);
  }
  function showFront(found) {
    $('front-state').textContent = found.outcome;
    frontDesigns = found.designs.map((design) => design.cells);
    frontCsv = found.csv;
    $('front-charts').replaceChildren(...found.charts.map((svg, n) => {
      const picture = document.createElement('div');
      picture.setAttribute('role', 'img');
      picture.setAttribute('aria-label', n === 0 ? 'Pareto front, the knee ringed'
        : 'Pareto front, third objective against the second');
      picture.innerHTML = svg;
      return picture;
    }));
    const rows = found.rows.map((row) => row.cells);
    const designs = grid('Designs of the front', found.header, rows);
    if (found.knee >= 0) designs.tBodies[0].rows[found.knee].className = 'knee';
    $('front-table').replaceChildren(...(rows.length ? [designs] : []));
    choices($('front-design'), rows.map((cells) => [cells[0], [found.header[0], cells[0], cells[cells.length - 1]].join(' ').trim()]));
    if (found.knee >= 0) $('front-design').value = rows[found.knee][0];
    const any = frontDesigns.length > 0;
    for (const id of ['front-apply', 'front-csv', 'front-design']) $(id).disabled = !any;
  }

  // The material library: its grades listed and searched as the window's
  // Choose Material does; Apply puts the chosen grade into the boxes.
  let grades = [];
  async function listGrades() {
    const found = await call('findGrades', $('material-search').value);
    const chosen = $('material-list').value;
    choices($('material-list'), found.map((index) => [String(index), `${grades[index].name} | ${grades[index].cells[1]}`]));
    if (found.map(String).includes(chosen)) $('material-list').value = chosen;
    else if (found.length) $('material-list').value = String(found[0]);
    await showGrade();
  }
  async function showGrade() {
    const index = $('material-list').value;
    $('material-apply').disabled = index === '';
    $('material-chart').hidden = index === '';
    if (index === '') return $('material-details').replaceChildren();
    const view = await call('gradeView', Number(index), $('units').value);
    if (view.error) return showMessages([view.error]);
    $('material-details').replaceChildren(grid(grades[Number(index)].name, [],
      view.details.map((row) => row.cells.map((text, i) => (i === 2 && text ? 'Source: ' + text : text)))));
    $('material-picture').innerHTML = view.chart;
  }
  async function applyGrade() {
    const index = $('material-list').value;
    if (index === '') return;
    await converting;
    const applied = await call('applyGrade', Number(index), boxTexts());
    if (applied.error) return void ($('material-state').textContent = applied.error);
    setBoxTexts(applied.texts);
    $('material-state').textContent = applied.missing;
    $('state').textContent = applied.material + ' is in the boxes; OK runs it.';
  }
  function startLibrary(data) {
    grades = data.grades;
    $('material-problems').replaceChildren(...data.materialErrors.map((text) =>
      Object.assign(document.createElement('li'), { textContent: text })));
    $('material-search').addEventListener('input', listGrades);
    $('material-list').addEventListener('change', showGrade);
    $('material-apply').addEventListener('click', applyGrade);
    listGrades();
  }

  function startFeatures() {
    for (const axis of [1, 2]) {
      choices($('study-field-' + axis), [...(axis === 2 ? [['', '(none)']] : []), ...fieldChoices()]);
      $('study-field-' + axis).addEventListener('change', () => suggestRange(axis));
    }
    $('study-field-1').value = 'BarrierClearance1';
    $('study-field-2').value = 'ScrewSpeed';
    choices($('study-quantity'), quantityChoices());
    $('study-quantity').addEventListener('change', () => { if (!$('study-csv').disabled || studyId) showStudyChart(); });
    $('study-run').addEventListener('click', runStudy);
    $('study-cancel').addEventListener('click', () => { if (studyId) main.cancel(studyId); });
    $('study-csv').addEventListener('click', async () => download('study.csv', [(await call('studyCsv')).text], 'text/csv'));

    $('limits').addEventListener('change', applyLimits);
    $('quantity-names').replaceChildren(...quantities.map((q) =>
      Object.assign(document.createElement('li'), { textContent: `${q.name}: ${q.caption}` })));

    $('pin').addEventListener('click', async () => {
      const result = await call('pin');
      if (result.error) return showMessages([result.error]);
      pinned = true;
      $('unpin').disabled = false;
      $('pin-state').textContent = 'The last run is the baseline; later runs are compared with it.';
      showComparison();
    });
    $('unpin').addEventListener('click', async () => {
      await call('unpin');
      pinned = false;
      $('unpin').disabled = true;
      $('pin-state').textContent = 'No baseline pinned.';
      showComparison();
    });
    $('compare-csv').addEventListener('click', async () =>
      download('comparison.csv', [(await call('compare', $('units').value)).csv], 'text/csv'));

    choices($('seek-field'), fieldChoices());
    choices($('seek-quantity'), quantities.map((q) => [q.name, q.caption]));
    choices($('optimise-quantity'), quantities.map((q) => [q.name, q.caption]));
    $('seek-field').value = 'OutputRate';
    $('seek-quantity').value = 'TemperatureRise';
    $('optimise-quantity').value = 'TotalPressureDrop';
    for (const prefix of ['seek', 'vary-1', 'vary-2', 'vary-3']) {
      if (prefix.startsWith('vary')) choices($(prefix + '-field'), [['', '(none)'], ...fieldChoices()]);
      $(prefix + '-field').addEventListener('change', () => suggestBounds(prefix));
    }
    $('vary-1-field').value = 'BarrierClearance1';
    $('vary-2-field').value = 'ScrewSpeed';
    for (const prefix of ['seek', 'vary-1', 'vary-2', 'vary-3']) suggestBounds(prefix);
    $('seek-run').addEventListener('click', () =>
      search('goalSeek', [notation('seek'), `${$('seek-quantity').value}=${$('seek-target').value}`]));
    $('optimise-run').addEventListener('click', () => search('optimise', [
      `${$('optimise-sense').value} ${$('optimise-quantity').value}`,
      ['vary-1', 'vary-2', 'vary-3'].filter((prefix) => $(prefix + '-field').value).map(notation)]));
    $('search-cancel').addEventListener('click', cancelSearch);
    $('search-apply').addEventListener('click', () => {
      setBoxTexts(designFound);
      $('state').textContent = 'The design found is in the boxes; OK runs it.';
    });
    for (const axis of [1, 2]) suggestRange(axis);

    const frontFirsts = ['TotalPressureDrop', 'Barrier1ShearStress', 'TemperatureRise'];
    frontFirsts.forEach((quantity, k) => {
      choices($(`front-quantity-${k + 1}`), quantities.map((q) => [q.name, q.caption]));
      $(`front-quantity-${k + 1}`).value = quantity;
    });
    $('front-sense-2').value = 'maximise';
    for (const prefix of frontPrefixes) {
      choices($(prefix + '-field'), [['', '(none)'], ...fieldChoices()]);
      $(prefix + '-field').addEventListener('change', () => suggestBounds(prefix));
    }
    $('front-vary-1-field').value = 'BarrierClearance1';
    $('front-vary-2-field').value = 'ScrewSpeed';
    for (const prefix of frontPrefixes) suggestBounds(prefix);
    $('front-third').addEventListener('change', () => {
      for (const id of ['front-sense-3', 'front-quantity-3']) $(id).disabled = !$('front-third').checked;
    });
    $('front-run').addEventListener('click', findFront);
    $('front-cancel').addEventListener('click', cancelSearch);
    $('front-apply').addEventListener('click', () => {
      const design = frontDesigns[Number($('front-design').value) - 1];
      if (!design) return;
      setBoxTexts(design);
      $('state').textContent = 'The design of the front is in the boxes; OK runs it.';
    });
    $('front-csv').addEventListener('click', () => download('front.csv', [frontCsv], 'text/csv'));
    for (const id of ['study-run', 'pin', 'seek-run', 'optimise-run', 'front-run']) $(id).disabled = false;
    searchCore = readySearchCore();
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
    quantities = data.quantities;
    timings.coreStartup = data.startup;
    buildPages(data.titles);
    restoreTexts();
    $('case-form').addEventListener('submit', runCase);
    $('units').addEventListener('change', async () => {
      const run = await call('lastRun', $('units').value);
      if (!run.error) showRun(run);
      if (!$('study-chart').hidden) showStudyChart();
      if ($('material-list').value !== '') showGrade();
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
      $('limits').value = opened.limits;
      $('state').textContent = 'Opened ' + file.name + '.';
    });
    $('save').addEventListener('click', async () => {
      const saved = await call('saveCase', boxTexts());
      if (saved.error) return showMessages([saved.error]);
      download(caseName, [saved.text], 'text/plain');
    });
    for (const id of ['ok', 'open', 'save']) $(id).disabled = false;
    startFeatures();
    startLibrary(data);
    timings.ready = performance.now();
    $('state').textContent = 'Ready: the calculation runs in this page, offline.';
    document.body.dataset.ready = 'true';
  }
})();
