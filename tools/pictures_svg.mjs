// Small helpers shared by the picture generators: numbers, colours, SVG documents and the Twemoji
// pictures. Every picture is kept to what QtSvg draws faithfully (SVG Tiny 1.2: plain presentation
// attributes, paths, basic shapes, gradients; no CSS, filters, masks or clipping).
import fs from 'node:fs';
import path from 'node:path';

// Two decimals are far below a pixel at every size the program draws, and keep the files small.
export function num(v) {
    const r = Math.round(v * 100) / 100;
    return Object.is(r, -0) ? '0' : String(r);
}

export function pts(points) {
    return points.map(([x, y]) => `${num(x)},${num(y)}`).join(' ');
}

export function svgDocument(viewBox, body) {
    const [x, y, w, h] = viewBox;
    return `<?xml version="1.0" encoding="UTF-8"?>\n` +
           `<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" ` +
           `width="${num(w)}" height="${num(h)}" viewBox="${num(x)} ${num(y)} ${num(w)} ${num(h)}">\n` +
           body + `</svg>\n`;
}

// Colours ---------------------------------------------------------------------------------------

// The colours of the Twemoji palette that our own drawings and the recolourings aim at, so that a
// recoloured picture and a generated one of the same colour name look alike.
export const PALETTE = {
    rouge: '#DD2E44',
    bleu: '#3B88C3',
    vert: '#77B255',
    jaune: '#FFCC4D',
    orange: '#F4900C',
    violet: '#9266CC',
    rose: '#F4ABBA',
    brun: '#C1694F',
    gris: '#99AAB5',
    noir: '#292F33',
    blanc: '#FFFFFF',
};

export function parseHex(hex) {
    let h = hex.replace(/^#/, '');
    if (h.length === 3) h = h.split('').map((c) => c + c).join('');
    if (!/^[0-9a-fA-F]{6}$/.test(h)) throw new Error(`not a colour: ${hex}`);
    return [0, 2, 4].map((i) => parseInt(h.slice(i, i + 2), 16) / 255);
}

export function toHex([r, g, b]) {
    const c = (v) => Math.round(Math.min(1, Math.max(0, v)) * 255).toString(16).padStart(2, '0');
    return ('#' + c(r) + c(g) + c(b)).toUpperCase();
}

export function rgbToHsl([r, g, b]) {
    const max = Math.max(r, g, b), min = Math.min(r, g, b);
    const l = (max + min) / 2;
    if (max === min) return [0, 0, l];
    const d = max - min;
    const s = l > 0.5 ? d / (2 - max - min) : d / (max + min);
    let h;
    if (max === r) h = (g - b) / d + (g < b ? 6 : 0);
    else if (max === g) h = (b - r) / d + 2;
    else h = (r - g) / d + 4;
    return [h * 60, s, l];
}

export function hslToRgb([h, s, l]) {
    h = ((h % 360) + 360) % 360 / 360;
    if (s === 0) return [l, l, l];
    const q = l < 0.5 ? l * (1 + s) : l + s - l * s;
    const p = 2 * l - q;
    const f = (t) => {
        t = (t + 1) % 1;
        if (t < 1 / 6) return p + (q - p) * 6 * t;
        if (t < 1 / 2) return q;
        if (t < 2 / 3) return p + (q - p) * (2 / 3 - t) * 6;
        return p;
    };
    return [f(h + 1 / 3), f(h), f(h - 1 / 3)];
}

export function mix(hexA, hexB, t) {
    const a = parseHex(hexA), b = parseHex(hexB);
    return toHex(a.map((v, i) => v + (b[i] - v) * t));
}

export const lighter = (hex, t) => mix(hex, '#FFFFFF', t);
export const darker = (hex, t) => mix(hex, '#000000', t);

export function colourValue(nameOrHex) {
    if (PALETTE[nameOrHex]) return PALETTE[nameOrHex];
    parseHex(nameOrHex);
    return nameOrHex.startsWith('#') ? nameOrHex : '#' + nameOrHex;
}

// Moves every colour of the same hue family as `from` to the hue of `to`, keeping how much lighter,
// darker or duller each shade is than `from`: a red car turns into a blue car with the same light
// and shadow. Greys, whites and blacks (windows, tyres, outlines) are left alone.
export function recolourer(from, to) {
    const [hs, ss, ls] = rgbToHsl(parseHex(colourValue(from)));
    const [ht, st, lt] = rgbToHsl(parseHex(colourValue(to)));
    return (hex) => {
        const [h, s, l] = rgbToHsl(parseHex(hex));
        const dh = Math.abs(((h - hs + 540) % 360) - 180);
        if (s < 0.25 || dh > 25) return hex;
        const ns = Math.min(1, s * (st / Math.max(ss, 0.01)));
        // Shades keep their distance from the key colour, squeezed into the room the target
        // leaves, so that a light blue highlight becomes a light yellow one and not white.
        const room = lt > ls ? (1 - lt) / (1 - ls) : lt / ls;
        const nl = Math.min(0.95, Math.max(0.06, lt + (l - ls) * room));
        return toHex(hslToRgb([h - hs + ht, ns, nl]));
    };
}

// A dull, light version: the "lost point" pictures of the reward screen are the earned ones
// with their colour gone.
export function faded(hex) {
    const [r, g, b] = parseHex(hex);
    const y = 0.3 * r + 0.59 * g + 0.11 * b;
    const v = 0.55 + 0.4 * y;
    return toHex([v, v, v]);
}

// Twemoji ---------------------------------------------------------------------------------------

export class Twemoji {
    constructor(dir) {
        this.dir = dir;
        this.cache = new Map();
    }

    // The inner markup of one picture (its 36 x 36 coordinate space), with fills passed through
    // `mapColour` when given.
    body(code, mapColour) {
        if (!/^[0-9a-f]+(-[0-9a-f]+)*$/.test(code)) throw new Error(`bad Twemoji code point: ${code}`);
        let text = this.cache.get(code);
        if (text === undefined) {
            const file = path.join(this.dir, `${code}.svg`);
            if (!fs.existsSync(file)) throw new Error(`Twemoji picture ${code} not found in ${this.dir}`);
            text = fs.readFileSync(file, 'utf8');
            if (!/viewBox="0 0 [0-9.]+ [0-9.]+"/.test(text)) throw new Error(`Twemoji ${code}: unexpected frame`);
            // Ids would clash once several pictures share one document, and QtSvg ignores clipping.
            if (/\sid=|clip-path|<mask|<filter|<style|class=/.test(text))
                throw new Error(`Twemoji ${code} uses features the program cannot draw`);
            this.cache.set(code, text);
        }
        let inner = text.replace(/^[\s\S]*?<svg[^>]*>/, '').replace(/<\/svg>\s*$/, '');
        if (mapColour) {
            inner = inner.replace(/(fill|stroke)="(#[0-9A-Fa-f]{3,6})"/g,
                                  (m, attr, hex) => `${attr}="${mapColour(hex)}"`);
        }
        // A few pictures give no fill at all to their first shapes: black, as the format says,
        // which our colour maps must see too.
        if (mapColour) inner = inner.replace(/<(path|circle|ellipse)(?![^>]*fill=)/g,
                                             (m, tag) => `<${tag} fill="${mapColour('#000000')}"`);
        return inner;
    }

    // Width and height of the picture's own frame (36 x 36 for nearly all of them).
    frame(code) {
        this.body(code);
        const m = /viewBox="0 0 ([0-9.]+) ([0-9.]+)"/.exec(this.cache.get(code));
        return [Number(m[1]), Number(m[2])];
    }

    // The picture scaled to fit a square of `size` units whose top left corner is (x, y), centred.
    placed(code, x, y, size, mapColour) {
        const [w, h] = this.frame(code);
        const s = size / Math.max(w, h);
        const tx = x + (size - w * s) / 2, ty = y + (size - h * s) / 2;
        return `<g transform="translate(${num(tx)} ${num(ty)}) scale(${num(s)})">` +
               this.body(code, mapColour) + `</g>\n`;
    }
}

// Always written, even when unchanged, so that the build sees its outputs newer than its inputs.
export function writeOutput(file, data) {
    fs.mkdirSync(path.dirname(file), { recursive: true });
    fs.writeFileSync(file, data);
}
