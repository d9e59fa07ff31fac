// A paged gallery of files whose names a browser could take for a URL scheme, a drive, a query
// or a fragment, opened in headless Chromium: every picture loads, every link clicked (scripts
// off) reaches a file, every file of the tree is reached, the viewer shows every picture (the
// original also where the cell shows a thumbnail), and no name runs as a script. Then the same
// files as one page with thumbnails: every thumbnail loads, 200 pixels wide.
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
const root = mkdtempSync(join(tmpdir(), 'tavlo-browser-')), gallery = join(root, 'Galleria'), small = join(root, 'Miniature');
for (const path of files.flatMap((name) => [join(gallery, name), join(small, name)])) {
    mkdirSync(dirname(path), { recursive: true });
    writeFileSync(path, path.endsWith('.jpg') ? readFileSync(jpeg) : '<p>Pagina</p>');
}
execFileSync(sampleGallery, [gallery, '5', '3'], { stdio: 'inherit' });  // rows of 5, pages of 3 files
execFileSync(sampleGallery, [small, '5', '0', 'thumbnails'], { stdio: 'inherit' });

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
    const images = async (page) => {  // those that load lazily asked for at once, as scrolling to them would
        await tab.goto(pathToFileURL(page).href);
        return tab.evaluate(async () => {
            for (const image of document.images) image.loading = 'eager';
            await Promise.all([...document.images].map((image) => image.decode().catch(() => {})));
            return [...document.images].map((image) => [image.src, image.naturalWidth]);
        });
    };
    const thumbnails = (await images(join(small, 'TAVLO.HTM'))).filter(([src]) => src.includes('/MINIATURE/'));
    if (thumbnails.length !== 8 || thumbnails.some(([, width]) => width !== 200))
        problems.push(`thumbnails: ${JSON.stringify(thumbnails)}, not 8 of 200 pixels`);
    await tab.setJavaScriptEnabled(false);  // links as a browser without scripts follows them
    for (const page of pages) {  // grows with the pages reached
        for (const [src, width] of await images(page))
            width > 0 && onDisk(src) ? reached.add(onDisk(src)) : problems.push(`${page}: ${src} does not load`);
        const links = await tab.evaluate(() => [...document.links].map((link) => link.href));
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
    await tab.setJavaScriptEnabled(true);  // the viewer shows every picture, and no name runs as a script
    let viewed = 0;
    for (const page of [...pages.filter((path) => /PAG_\d+\.HTM$/.test(path)), join(small, 'TAVLO.HTM')]) {
        await tab.goto(pathToFileURL(page).href);
        const cells = 'td[valign] a > img[src$="jpg"]';  // not an icon
        for (let n = await tab.$$eval(cells, (all) => all.length); n-- > 0;) {
            await tab.$$eval(cells, (all, i) => all[i].click(), n);
            await tab.waitForFunction(() => !document.querySelector('.visore[aria-busy]'));
            const [src, width] = await tab.$eval('.visore img', (picture) => [picture.src, picture.naturalWidth]);
            width > 0 && onDisk(src) && !src.includes('/MINIATURE/') ? ++viewed : problems.push(`${page}: the viewer shows ${src}`);
        }
    }
    if (viewed !== 16)
        problems.push(`the viewer showed ${viewed} originals, not 8 without thumbnails and 8 with`);
} finally {
    await browser.close();
    rmSync(root, { recursive: true, force: true });
}
problems.push(...files.filter((name) => !reached.has(join(gallery, name))).map((name) => `${name} is never reached`));
console.log(problems.join('\n') || `every picture loads and every link reaches its file (${reached.size} files)`);
process.exit(problems.length === 0 ? 0 : 1);
