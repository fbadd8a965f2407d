// The staff page in a real browser does not grow wider than the window,
// whatever the reports' device names (a 2 KiB one among them).
//   node page_width.mjs URL PASSWORD NODE-MODULES
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

const [url, password, nodeModules] = process.argv.slice(2);
const { chromium } = await import(pathToFileURL(join(nodeModules, 'playwright-core', 'index.mjs')).href);
const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
         '--disable-component-update', '--disable-sync'],
});
let wide = 0;
try {
  const page = await browser.newPage({ viewport: { width: 1150, height: 900 } });
  await page.goto(`${url}/staff/`);
  await page.fill('#password', password);
  await page.click('#sign-in');
  await page.waitForSelector('#reports-count');
  wide = await page.evaluate(() => document.documentElement.scrollWidth - window.innerWidth);
} finally {
  await browser.close();
}
if (wide > 0) {
  console.log(`FAILED: the page is ${wide} pixels wider than the window`);
  process.exit(1);
}
