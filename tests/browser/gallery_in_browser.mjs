// A paged gallery of files whose names a browser could take for a URL scheme, a drive, a query
// or a fragment, opened in headless Chromium: every picture loads, every link clicked reaches a
// file, every file of the tree is reached, and no script runs.
//   node gallery_in_browser.mjs <folder holding node_modules> <chromium> <tavlo_sample_gallery> <a JPEG picture>
import { execFileSync } from 'node:child_process';
import { existsSync, mkdirSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

const [driver, chromium, sampleGallery, jpeg] = process.argv.slice(2);
if (!existsSync(chromium))
    process.exit(77);  // Chromium is not installed
const files = ['javascript:alert(1).jpg', 'mailto:x.jpg', 'data:x.jpg', 'http:x.jpg', 'sub/file:x.jpg', 'c|/y.jpg',
    'Il "faro" <1> & #2 50% ?.jpg', ' a capo .jpg', 'http:pagina.htm', 'javascript:alert(2).htm'];
const gallery = join(mkdtempSync(join(tmpdir(), 'tavlo-browser-')), 'Galleria');
for (const name of files) {
    mkdirSync(dirname(join(gallery, name)), { recursive: true });
    writeFileSync(join(gallery, name), name.endsWith('.jpg') ? readFileSync(jpeg) : '<p>Pagina</p>');
}
execFileSync(sampleGallery, [gallery, '5', '3'], { stdio: 'inherit' });  // rows of 5, pages of 3 files

const onDisk = (url) => {  // the existing file a URL names, or null
    const parsed = new URL(url);
    const path = parsed.protocol === 'file:' && !parsed.search && !parsed.hash && fileURLToPath(parsed);
    return path && existsSync(path) ? path : null;
};
const problems = [];
const reached = new Set();
const browser = await createRequire(resolve(driver, 'here.js'))('puppeteer-core')
    .launch({ executablePath: chromium, args: ['--no-sandbox'] });
try {
    const tab = await browser.newPage();
    tab.on('dialog', (dialog) => { problems.push(`a script ran: ${dialog.message()}`); dialog.dismiss(); });
    tab.on('pageerror', (error) => problems.push(`a script ran: ${error.message}`));
    const pages = [join(gallery, 'TAVLO.HTM')];
    for (const page of pages) {  // grows with the pages reached
        await tab.goto(pathToFileURL(page).href);
        const images = await tab.evaluate(() => [...document.images].map((image) => [image.src, image.naturalWidth]));
        const links = await tab.evaluate(() => [...document.links].map((link) => link.href));
        for (const [src, width] of images)
            width > 0 && onDisk(src) ? reached.add(onDisk(src)) : problems.push(`${page}: ${src} does not load`);
        for (const [i, href] of links.entries()) {
            await tab.goto(pathToFileURL(page).href);
            await Promise.all([tab.waitForNavigation({ timeout: 5000 }), tab.evaluate((n) => document.links[n].click(), i)])
                .catch(() => {});
            if (!onDisk(href) || tab.url() !== href) {
                problems.push(`${page}: the link ${href} leads to ${tab.url()}, not to a file`);
            } else {
                reached.add(onDisk(href));
                if (/\.htm$/i.test(href) && !pages.includes(onDisk(href)))
                    pages.push(onDisk(href));
            }
        }
    }
} finally {
    await browser.close();
    rmSync(dirname(gallery), { recursive: true, force: true });
}
problems.push(...files.filter((name) => !reached.has(join(gallery, name))).map((name) => `${name} is never reached`));
console.log(problems.join('\n') || `every picture loads and every link reaches its file (${reached.size} files)`);
process.exit(problems.length === 0 ? 0 : 1);
