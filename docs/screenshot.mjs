// Takes a PNG of a page in headless Chromium, through puppeteer-core.
//
//   node screenshot.mjs <folder holding node_modules> <chromium> <page> <png> <width> [height [click]]
//
// Without a height the picture holds the whole page, as tall as it is. A width under 500
// is a phone's. With a selector to click, the picture is taken after that click (the
// viewer opened on a picture).

import { createRequire } from 'node:module';
import { resolve } from 'node:path';
import { pathToFileURL } from 'node:url';

const [driver, chromium, page, png, width, height, click] = process.argv.slice(2);
if (!png || !(Number(width) > 0)) {
    process.stderr.write('usage: node screenshot.mjs <driver folder> <chromium> <page> <png> <width> [height]\n');
    process.exit(2);
}
const puppeteer = createRequire(resolve(driver, 'here.js'))('puppeteer-core');
const browser = await puppeteer.launch({ executablePath: chromium, args: ['--no-sandbox', '--hide-scrollbars'] });
try {
    const tab = await browser.newPage();
    const phone = Number(width) < 500 ? { isMobile: true, hasTouch: true } : {};
    await tab.setViewport({ width: Number(width), height: Number(height) || 600, ...phone });
    await tab.goto(pathToFileURL(page).href);
    if (!Number(height))  // the window as tall as the page, so that backgrounds fill it too
        await tab.setViewport({ width: Number(width), height: await tab.evaluate(() => document.documentElement.scrollHeight), ...phone });
    if (click) {
        await tab.click(click);
        await tab.waitForFunction(() => !document.querySelector('.visore[aria-busy]') && [...document.images].every((image) => image.complete));
    }
    await tab.screenshot({ path: png });
} finally {
    await browser.close();
}
