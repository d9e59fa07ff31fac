// Takes a PNG of a page in headless Chromium.
//
//   node screenshot.mjs <chromium> <page> <png> <width> [height]
//
// Without a height the picture holds the whole page, as tall as it is.

import { writeFileSync } from 'node:fs';
import { pathToFileURL } from 'node:url';

import { failAfter, openBrowser } from './cdp_pipe.mjs';

const [chromium, page, png, width, height] = process.argv.slice(2);
if (!png || !(Number(width) > 0)) {
    process.stderr.write('usage: node screenshot.mjs <chromium> <page> <png> <width> [height]\n');
    process.exit(2);
}
failAfter(60);

const browser = await openBrowser(chromium);
try {
    const tab = await browser.newPage();
    await tab.setViewport(Number(width), Number(height) || 600);
    await tab.open(pathToFileURL(page).href);
    if (!height) {
        const fullHeight = await tab.evaluate('document.documentElement.scrollHeight');
        await tab.setViewport(Number(width), fullHeight);
    }
    writeFileSync(png, await tab.screenshot());
} finally {
    await browser.close();
}
