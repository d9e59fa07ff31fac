// Opens pages in headless Chromium and reports what the browser made of them.
//
//   node page_report.mjs <chromium> <page>...
//
// Starting from the given page files it also opens every page that a link of an
// opened page reaches (a file ending in .htm or .html that exists), so one start
// page covers its view pages and the pages of a series. For each page opened it
// prints tab-separated lines, every location as the browser resolved it, turned
// back into a file path:
//
//   page <page>
//   heading <page> <text of the first line of the page's <pre>, spaces kept>
//   image <page> <path> <natural width, 0 when the image did not load>
//   link <page> <path> <link text>
//   background <page> <path>
//
// A backslash, tab, line feed or carriage return in a field is written \\, \t, \n or \r.
// A link with a query or fragment keeps it after the path, so that it names no file.

import { existsSync } from 'node:fs';
import { fileURLToPath, pathToFileURL } from 'node:url';

import { failAfter, openBrowser } from './cdp_pipe.mjs';

// Pictures that load lazily are asked for at once, as scrolling to them would, and waited for.
const kFacts = `(async () => {
    for (const image of document.images) image.loading = 'eager';
    await Promise.all([...document.images].map((i) => i.decode().catch(() => {})));
    return JSON.stringify({
    heading: document.querySelector('pre')?.firstChild?.nodeType === Node.TEXT_NODE
        ? document.querySelector('pre').firstChild.data : null,
    images: [...document.images].map((i) => [i.src, i.complete ? i.naturalWidth : 0]),
    links: [...document.links].map((a) => [a.href, a.textContent.trim()]),
    backgrounds: [...document.querySelectorAll('[background]')]
        .map((e) => new URL(e.getAttribute('background'), document.baseURI).href),
    });
})()`;

// The file a resolved URL names; anything else stays as the URL.
function onDisk(url) {
    try {
        const parsed = new URL(url);
        return parsed.protocol === 'file:' ? fileURLToPath(parsed) + parsed.search + parsed.hash : url;
    } catch {
        return url;  // no URL at all, or one with an escaped "/", which names no file
    }
}

const kEscapes = { '\\': '\\\\', '\t': '\\t', '\n': '\\n', '\r': '\\r' };
const field = (text) => String(text).replace(/[\\\t\n\r]/g, (c) => kEscapes[c]);
const say = (...fields) => process.stdout.write(fields.map(field).join('\t') + '\n');

const [chromium, ...startPages] = process.argv.slice(2);
if (!chromium || startPages.length === 0) {
    process.stderr.write('usage: node page_report.mjs <chromium> <page>...\n');
    process.exit(2);
}
failAfter(120);

const browser = await openBrowser(chromium);
try {
    const tab = await browser.newPage();
    const queue = [...startPages];
    const seen = new Set(queue);
    while (queue.length > 0) {
        const page = queue.shift();
        await tab.open(pathToFileURL(page).href);
        const facts = JSON.parse(await tab.evaluate(kFacts));
        say('page', page);
        if (facts.heading !== null)
            say('heading', page, facts.heading);
        for (const [src, width] of facts.images)
            say('image', page, onDisk(src), width);
        for (const [href, text] of facts.links) {
            const target = onDisk(href);
            say('link', page, target, text);
            if (/\.html?$/i.test(target) && existsSync(target) && !seen.has(target)) {
                seen.add(target);
                queue.push(target);
            }
        }
        for (const background of facts.backgrounds)
            say('background', page, onDisk(background));
    }
} finally {
    await browser.close();
}
