// Where the page's time to ready goes: N loads from disk, each with the
// navigation's phases, the worker's start-up and the page's own ready mark.
//   node tests/web/page_ready_bench.mjs PAGE [N]
import { chromium } from 'playwright-core';
import { pathToFileURL } from 'node:url';

const [pagePath, count = '5'] = process.argv.slice(2);
const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox'] });
const rows = [];
for (let i = 0; i < Number(count); ++i) {
  const context = await browser.newContext({ viewport: { width: 1280, height: 800 } });
  const page = await context.newPage();
  await page.goto(pathToFileURL(pagePath).href);
  await page.waitForSelector('body[data-ready=true]', { timeout: 30000 });
  rows.push(await page.evaluate(() => {
    const [n] = performance.getEntriesByType('navigation');
    const t = window.vortaneTimings;
    return { responseEnd: n.responseEnd, domInteractive: n.domInteractive, domContentLoaded: n.domContentLoadedEventEnd,
             load: n.loadEventEnd, compiled: t.compiled, startup: t.startup, ready: t.ready };
  }));
  await context.close();
}
await browser.close();
const keys = Object.keys(rows[0]);
console.log(keys.join('\t'));
for (const row of rows) console.log(keys.map((k) => (row[k] === undefined ? '-' : row[k].toFixed(0))).join('\t'));
const median = (k) => rows.map((r) => r[k]).filter((v) => v !== undefined).sort((a, b) => a - b)[rows.length >> 1];
console.log('median ready', median('ready')?.toFixed(0), 'ms');
