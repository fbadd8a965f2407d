// The staff page in a real browser (Debian's Chromium, headless, driven by
// playwright-core): a wrong password is refused, the right one shows the
// figures and the unrecognised devices that `expected` names, and a
// screenshot of the page is kept.
//   node staff_page.mjs URL PASSWORD EXPECTED-JSON SCREENSHOT NODE-MODULES
// EXPECTED-JSON: {"reports": N, "machines": N, "unrecognised": [["处理器", name, machines], ...],
//                 "regions": [name, ...]}
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

const [url, password, expectedJson, screenshot, nodeModules] = process.argv.slice(2);
// Installed by scripts/install-deps into the build tree, never into the repository.
const { chromium } = await import(pathToFileURL(join(nodeModules, 'playwright-core', 'index.mjs')).href);
const expected = JSON.parse(expectedJson);
const failures = [];
const expect = (holds, what) => { if (!holds) failures.push(what); };

const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
         '--disable-component-update', '--disable-sync'],
});
try {
  const page = await browser.newPage({ viewport: { width: 1150, height: 1000 } });
  await page.goto(`${url}/staff/`);
  expect(await page.locator('#reports-count').count() === 0, 'figures shown before signing in');

  await page.fill('#password', 'not the password');
  await page.click('#sign-in');
  expect((await page.textContent('#sign-in-error'))?.includes('密码错误'), 'a wrong password is not refused');

  await page.fill('#password', password);
  await page.click('#sign-in');
  await page.waitForSelector('#reports-count');
  expect(await page.textContent('#reports-count') === String(expected.reports), 'the number of reports');
  expect(await page.textContent('#machines-count') === String(expected.machines), 'the number of machines');
  const rows = await page.$$eval('#unrecognised tr', (trs) => trs.slice(1).map((tr) =>
    [...tr.querySelectorAll('td')].slice(0, 3).map((td) => td.textContent)));
  expect(JSON.stringify(rows) === JSON.stringify(expected.unrecognised.map(([k, n, m]) => [k, n, String(m)])),
         `the unrecognised devices: ${JSON.stringify(rows)}`);
  const regions = await page.$$eval('#regions td:first-child', (tds) => tds.map((td) => td.textContent));
  for (const region of expected.regions) expect(regions.includes(region), `the region ${region}`);
  expect(await page.locator('svg.chart').count() >= 3, 'the charts');
  await page.screenshot({ path: screenshot, fullPage: true });

  await page.click('#sign-out');
  await page.waitForSelector('#password');
  await page.goto(`${url}/staff/`);
  expect(await page.locator('#reports-count').count() === 0, 'figures shown after signing out');
} finally {
  await browser.close();
}
if (failures.length > 0) {
  console.log(failures.map((failure) => `FAILED: ${failure}`).join('\n'));
  process.exit(1);
}
console.log('staff page in the browser: passed');
