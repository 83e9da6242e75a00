// The live map as a person sees it: every child of the view is drawn, and an alarm raised
// on a node's managed object turns that node and the views above it red within a second.
import { spawn, execFileSync } from 'node:child_process';
import { chromium } from 'playwright-core';

const [vqtopo, chromiumPath] = process.argv.slice(2);
const view = 'North building';
const critical = '#d62728';

function fail(message) {
  console.error(`FAIL: ${message}`);
  process.exitCode = 1;
}

// What the view holds, asked of the tool itself rather than written down here.
const tree = JSON.parse(execFileSync(vqtopo, ['tree', view, '--demo', '--json']));
const children = tree[0].children.map((child) => child.name);

const server = spawn(vqtopo, ['serve', view, '--demo', '--stdin', '--port', '0'],
                     { stdio: ['pipe', 'pipe', 'inherit'] });
const url = await new Promise((resolve, reject) => {
  let seen = '';
  const timer = setTimeout(() => reject(new Error(`no "Live map:" line in ${seen}`)), 20000);
  server.stdout.on('data', (chunk) => {
    seen += chunk;
    const match = /Live map: (\S+)/.exec(seen);
    if (match) {
      clearTimeout(timer);
      resolve(match[1]);
    }
  });
  server.on('exit', (code) => reject(new Error(`vqtopo serve ended with ${code}`)));
});

const browser = await chromium.launch({ executablePath: chromiumPath, args: ['--no-sandbox'] });
try {
  const page = await browser.newPage();
  await page.goto(url);
  await page.waitForSelector('svg g.node', { timeout: 10000 });
  const drawn = await page.$$eval('g.node', (nodes) => nodes.map((n) => n.dataset.name));
  for (const child of children) {
    if (!drawn.includes(child)) fail(`${child} is not drawn (drawn: ${drawn.join(', ')})`);
  }
  if (drawn.length !== children.length) fail(`drew ${drawn.length} nodes for ${children.length}`);

  // The colours each element is painted with, as the browser computed them.
  const colours = () => page.evaluate(() => {
    const fill = (el) => getComputedStyle(el).fill;
    const result = {};
    for (const g of document.querySelectorAll('g.node')) result[g.dataset.name] = fill(g.querySelector('circle'));
    for (const g of document.querySelectorAll('g.crumb')) result[`view ${g.dataset.name}`] = fill(g.querySelector('rect'));
    return result;
  });
  const before = await colours();
  server.stdin.write('alarm north-router critical\n');
  const started = Date.now();
  try {
    await page.waitForFunction((red) => {
      const hex = (el) => {
        const [r, g, b] = getComputedStyle(el).fill.match(/\d+/g).map(Number);
        return '#' + [r, g, b].map((v) => v.toString(16).padStart(2, '0')).join('');
      };
      const router = document.querySelector('g.node[data-name="north-router"] circle');
      const crumbs = [...document.querySelectorAll('g.crumb rect')];
      return router && hex(router) === red && crumbs.length >= 3 && crumbs.every((c) => hex(c) === red);
    }, critical, { timeout: 1000, polling: 20 });
    console.log(`north-router and its views turned red after ${Date.now() - started} ms`);
  } catch {
    fail(`not red within a second: ${JSON.stringify(await colours())}`);
  }
  const after = await colours();
  if (after['core-router'] !== before['core-router']) fail('core-router changed colour as well');
  if (after['north-router'] === before['north-router']) fail('north-router kept its colour');
} finally {
  await browser.close();
  server.stdin.end();
  server.kill('SIGTERM');
}
if (!process.exitCode) console.log('PASS: live map');
