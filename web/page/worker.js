// The worker's side: the core module and one session, called by message so
// that a long run never holds up the page. Each call: {id, method, args};
// each answer: {id, result} or {id, failure}.
let core;
let session;
// An embind vector as an array (its handle freed); value objects field by field.
function plain(value) {
  if (value instanceof Uint8Array || value === null || typeof value !== 'object') return value;
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
};
const started = performance.now();
const ready = VortaneCore().then((module) => {
  core = module;
  session = new core.Session('/result.txt');
  postMessage({ ready: true, fields: plain(core.fields()), titles: plain(core.pageTitles()),
                startup: performance.now() - started });
}, (error) => postMessage({ ready: false, failure: String(error) }));
onmessage = async (event) => {
  await ready;
  const { id, method, args } = event.data;
  try {
    const began = performance.now();
    const result = plain(calls[method](...args));
    const transfer = result instanceof Uint8Array ? [result.buffer] : [];
    postMessage({ id, result, took: performance.now() - began }, transfer);
  } catch (error) {
    postMessage({ id, failure: typeof error === 'number' ? 'the core failed (' + error + ')' : String(error) });
  }
};
