// The footer's viewer in headless Chromium, on a gallery of a portrait and two landscape
// photos, a web page and a sound: open by a click, next and previous by key, button and swipe,
// Esc and Back close it, a modifier click, a web-page cell and the index of a series keep
// their links, nothing is fetched but the pictures, and a 390-pixel phone never scrolls sideways.
//   node viewer_in_browser.mjs <folder holding node_modules> <chromium> <tavlo_sample_gallery>
import { execFileSync } from 'node:child_process';
import { existsSync, mkdirSync, mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';

const [driver, chromium, sampleGallery] = process.argv.slice(2);
if (!existsSync(chromium))
    process.exit(77);  // Chromium is not installed
const root = mkdtempSync(join(tmpdir(), 'tavlo-viewer-')), one = join(root, 'Una'), paged = join(root, 'Serie');
const problems = [];
const check = (ok, what) => ok || problems.push(what);
const browser = await createRequire(resolve(driver, 'here.js'))('puppeteer-core')
    .launch({ executablePath: chromium, args: ['--no-sandbox'] });
try {
    const tab = await browser.newPage();
    tab.on('pageerror', (error) => problems.push(`script error: ${error.message}`));
    const photo = (width, height) => tab.evaluate((w, h) => {  // a JPEG drawn by the browser
        const canvas = Object.assign(document.createElement('canvas'), { width: w, height: h });
        const pen = canvas.getContext('2d');
        pen.fillStyle = '#c33', pen.fillRect(0, 0, w, h), pen.fillStyle = '#33c', pen.fillRect(0, 0, w / 2, h / 2);
        return canvas.toDataURL('image/jpeg').split(',')[1];
    }, width, height);
    const files = { 'IMG_0001.JPG': [1600, 1000], 'Album/IMG_0002.JPG': [900, 1800], 'IMG_0003.JPG': [1200, 800] };
    for (const folder of [one, paged]) {
        for (const [name, [width, height]] of Object.entries(files)) {
            mkdirSync(dirname(join(folder, name)), { recursive: true });
            writeFileSync(join(folder, name), Buffer.from(await photo(width, height), 'base64'));
        }
        writeFileSync(join(folder, 'pagina.htm'), '<p>Pagina</p>'), writeFileSync(join(folder, 'brano.mp3'), 'ID3');
    }
    execFileSync(sampleGallery, [one, '5'], { stdio: 'inherit' });
    execFileSync(sampleGallery, [paged, '5', '2'], { stdio: 'inherit' });
    const page = pathToFileURL(join(one, 'TAVLO.HTM')).href;

    const viewer = () => tab.evaluate(() => {
        const box = document.querySelector('.visore'), picture = box && box.querySelector('img');
        return !box ? { open: false } : { open: !box.hidden, src: picture.src, caption: box.querySelector('p').textContent,
                        w: picture.width, h: picture.height, nw: picture.naturalWidth, nh: picture.naturalHeight };
    });
    const shown = async (name, how) => {  // the viewer shows this photo, whole and undistorted
        await tab.waitForFunction(() => document.querySelector('.visore img').complete, { timeout: 5000 });
        const [v, [sw, sh]] = [await viewer(), await tab.evaluate(() => [innerWidth, innerHeight])];
        check(v.open && v.caption.startsWith(`Img_${name}.jpg`) && v.src.endsWith(`IMG_${name}.JPG`), `${how}: ${JSON.stringify(v)}`);
        check(Math.abs(v.w / v.h - v.nw / v.nh) < 0.02 && v.w <= sw && v.h <= sh && (v.w > sw * 0.9 || v.h > sh * 0.7),
              `${how}: ${v.nw}x${v.nh} shown as ${v.w}x${v.h} in ${sw}x${sh}`);
    };
    const fetched = [];
    tab.on('request', (request) => fetched.push(request.url()));
    await tab.setViewport({ width: 1280, height: 800 });
    await tab.goto(page);
    fetched.length = 0;
    await tab.click('td[valign] a > img[src*="IMG_0002"]');
    await shown('0002', 'a click');  // the last cell: the sub-folder's come last
    await tab.keyboard.press('ArrowRight'), await shown('0001', 'the right arrow past the last');
    await tab.click('.visore .succ'), await shown('0003', 'the next button');
    await tab.keyboard.press('ArrowLeft'), await shown('0001', 'the left arrow');
    await tab.keyboard.press('Escape');
    check(!(await viewer()).open && tab.url() === page, `Esc leaves ${JSON.stringify(await viewer())} at ${tab.url()}`);
    check(fetched.every((url) => /IMG_000\d\.JPG$/.test(url)), `fetched: ${fetched}`);
    await tab.click('td[valign] a > img[src*="IMG_0001"]'), await tab.goBack();
    check(!(await viewer()).open && tab.url() === page, `Back leaves the viewer open or the page (${tab.url()})`);

    const leads = async (selector, options, to, from = page) => {  // a click that must follow the link
        await tab.goto(from);
        await Promise.all([tab.waitForNavigation({ timeout: 5000 }).catch(() => {}), tab.click(selector, options)]);
        check(tab.url().toLowerCase().endsWith(to) && !(await viewer()).open, `${selector} leads to ${tab.url()}, not ${to}`);
    };
    await leads('td[valign] a > img[src="HTM-1A.JPG"]', {}, 'pagina.htm');
    await leads('td[valign] a > img[src*="IMG_0003"]', { button: 'middle' }, 'tavlo.htm');
    await tab.keyboard.down('Shift'), await leads('td[valign] a > img[src*="IMG_0003"]', {}, 'tavlo.htm');
    await tab.keyboard.up('Shift');
    await leads('td[valign] a > img', {}, 'pag_1.htm', pathToFileURL(join(paged, 'TAVLO.HTM')).href);  // cells are pages
    await tab.setJavaScriptEnabled(false), await leads('td[valign] a > img[src*="IMG_0003"]', {}, 'img_0003.htm');
    await tab.setJavaScriptEnabled(true);

    await tab.setViewport({ width: 390, height: 844, isMobile: true, hasTouch: true });
    await tab.goto(page);
    const width = await tab.evaluate(() => document.scrollingElement.scrollWidth);
    check(width <= 390, `a 390-pixel phone scrolls sideways: the page is ${width} pixels wide`);
    await tab.tap('td[valign] a > img[src*="IMG_0002"]'), await shown('0002', 'a tap');
    await tab.touchscreen.touchStart(300, 400), await tab.touchscreen.touchMove(80, 410), await tab.touchscreen.touchEnd();
    await shown('0001', 'a swipe to the left');
} catch (error) {
    problems.push(error.message);
} finally {
    await browser.close();
    rmSync(root, { recursive: true, force: true });
}
console.log(problems.join('\n') || 'the viewer opens, steps, closes and lets links be links; the phone page fits');
process.exit(problems.length === 0 ? 0 : 1);
