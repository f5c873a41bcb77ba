// The worker's side: the core module and one session, called by message so
// that a long run never holds up the page. Each call: {id, method, args};
// each answer: {id, result} or {id, failure}, before it any {id, progress}.
// {cancel: id} ends a study between its points; a search, which the core
// runs in one call, is ended by ending its worker.
let core;
let session;
// An embind vector as an array (its handle freed); value objects field by field.
function plain(value) {
  if (value instanceof Uint8Array || value === null || typeof value !== 'object') return value;
  if (Array.isArray(value)) return value.map(plain);
  if (typeof value.size === 'function' && typeof value.get === 'function') {
    const items = [];
    for (let i = 0; i < value.size(); ++i) items.push(plain(value.get(i)));
    value.delete();
    return items;
  }
  const fields = {};
  for (const key of Object.keys(value)) fields[key] = plain(value[key]);
  return fields;
}
function texts(list) {
  const vector = new core.Texts();
  for (const text of list) vector.push_back(String(text));
  return vector;
}
const calls = {
  run: (boxTexts, units) => { const v = texts(boxTexts); try { return session.run(v, units); } finally { v.delete(); } },
  lastRun: (units) => session.lastRun(units),
  report: () => session.report(),
  html: (units) => session.html(units),
  openCase: (name, content) => session.openCase(name, content),
  saveCase: (boxTexts) => { const v = texts(boxTexts); try { return session.saveCase(v); } finally { v.delete(); } },
  typedText: (box, text) => session.typedText(box, text),
  setLimits: (lines) => session.setLimits(lines),
  pin: () => session.pin(),
  unpin: () => session.unpin(),
  compare: (units) => session.compare(units),
  studyRange: (box, text) => session.studyRange(box, text),
  studyCsv: () => session.studyCsv(),
  studyChart: (quantity, units) => session.studyChart(quantity, units),
  goalSeek: (boxTexts, varied, target, progress) => {
    const v = texts(boxTexts);
    try { return session.goalSeek(v, varied, target, progress); } finally { v.delete(); }
  },
  optimise: (boxTexts, objective, varied, progress) => {
    const v = texts(boxTexts);
    const inputs = texts(varied);
    try { return session.optimise(v, objective, inputs, progress); } finally { v.delete(); inputs.delete(); }
  },
  front: (boxTexts, objectives, varied, units, progress) => {
    const v = texts(boxTexts);
    const aims = texts(objectives);
    const inputs = texts(varied);
    try { return session.front(v, aims, inputs, units, progress); } finally { v.delete(); aims.delete(); inputs.delete(); }
  },
  grades: () => session.grades(),
  materialErrors: () => session.materialErrors(),
  findGrades: (query) => session.findGrades(query),
  gradeView: (index, units) => session.gradeView(index, units),
  applyGrade: (index, boxTexts) => { const v = texts(boxTexts); try { return session.applyGrade(index, v); } finally { v.delete(); } },
};
// Long calls: their progress goes to the page as they run.
const cancelled = new Set();
const yieldToMessages = () => new Promise((resolve) => setTimeout(resolve, 0));
const longCalls = {
  // The study's points a slice of about 50 ms at a time, messages (a cancel)
  // taken between slices.
  study: async (id, boxTexts, axes, units) => {
    const v = texts(boxTexts);
    const list = new core.StudyAxes();
    for (const axis of axes) list.push_back(axis);
    let state;
    try { state = plain(session.startStudy(v, list, units)); } finally { v.delete(); list.delete(); }
    if (state.error) return state;
    postMessage({ id, progress: state });
    while (state.done < state.total && !cancelled.has(id)) {
      const slice = performance.now();
      do state = plain(session.stepStudy(1)); while (state.done < state.total && performance.now() - slice < 50);
      postMessage({ id, progress: state });
      await yieldToMessages();
    }
    cancelled.delete(id);
    return { ...state, stops: plain(session.studyStops()) };
  },
  goalSeek: (id, ...args) => calls.goalSeek(...args, (runs) => postMessage({ id, progress: { runs } })),
  optimise: (id, ...args) => calls.optimise(...args, (runs) => postMessage({ id, progress: { runs } })),
  front: (id, ...args) => calls.front(...args, (runs) => postMessage({ id, progress: { runs } })),
};
// The page sends the compiled WebAssembly first; the core is instantiated
// from it.
const started = performance.now();
let compiled;
const ready = new Promise((resolve) => { compiled = resolve; }).then((wasm) => VortaneCore({
  instantiateWasm(imports, receive) {
    WebAssembly.instantiate(wasm, imports).then((instance) => receive(instance, wasm),
      (error) => postMessage({ ready: false, failure: String(error) }));
    return {};
  },
})).then((module) => {
  core = module;
  session = new core.Session('/result.txt', '/materials');
  postMessage({ ready: true, fields: plain(core.fields()), titles: plain(core.pageTitles()),
                quantities: plain(core.quantities()), grades: plain(session.grades()),
                materialErrors: plain(session.materialErrors()),
                startup: performance.now() - started });
}, (error) => postMessage({ ready: false, failure: String(error) }));
onmessage = async (event) => {
  if ('module' in event.data) return void compiled(event.data.module);
  if ('cancel' in event.data) { cancelled.add(event.data.cancel); return; }
  await ready;
  const { id, method, args } = event.data;
  try {
    const began = performance.now();
    const result = plain(method in longCalls ? await longCalls[method](id, ...args) : calls[method](...args));
    const transfer = result instanceof Uint8Array ? [result.buffer] : [];
    postMessage({ id, result, took: performance.now() - began }, transfer);
  } catch (error) {
    postMessage({ id, failure: typeof error === 'number' ? 'the core failed (' + error + ')' : String(error) });
  }
};
