// Writes the title picture as a placeable Windows metafile from its text description:
//   node tools/pictures_title.mjs assets/titre.txt <output .wmf>
// Only the most common records are used (window, pens, brushes, fonts, rectangles, rounded
// rectangles, ellipses, polygons, sets of polygons, text), so that any metafile reader shows the
// picture whole. The build gives it the description with its texts already turned into letter
// outlines (tools/title_lettering.cpp), so the picture it writes holds no text.
import fs from 'node:fs';
import path from 'node:path';

const META = {
    SETBKMODE: 0x0102, SETMAPMODE: 0x0103, SETTEXTALIGN: 0x012e, SETTEXTCOLOR: 0x0209,
    SETWINDOWORG: 0x020b, SETWINDOWEXT: 0x020c, SELECTOBJECT: 0x012d, DELETEOBJECT: 0x01f0,
    CREATEPENINDIRECT: 0x02fa, CREATEBRUSHINDIRECT: 0x02fc, CREATEFONTINDIRECT: 0x02fb,
    RECTANGLE: 0x041b, ROUNDRECT: 0x061c, ELLIPSE: 0x0418, POLYGON: 0x0324, TEXTOUT: 0x0521,
    SETPOLYFILLMODE: 0x0106, POLYPOLYGON: 0x0538,
    EOF: 0x0000,
};
const PLACEABLE_KEY = 0x9ac6cdd7;
const TWIPS_PER_INCH = 1440;
const MM_ANISOTROPIC = 8, TRANSPARENT = 1, PS_SOLID = 0, PS_NULL = 5, BS_SOLID = 0, BS_NULL = 1;
const ALTERNATE = 1, WINDING = 2;

// Windows-1252 for the texts: Latin-1 plus the printable characters of 0x80..0x9F.
const CP1252_HIGH = '€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008dŽ\u008f\u0090‘’“”•–—˜™š›œ\u009džŸ';
function cp1252(text) {
    return [...text].map((ch) => {
        const c = ch.codePointAt(0);
        if (c < 0x80 || (c >= 0xa0 && c <= 0xff)) return c;
        const i = CP1252_HIGH.indexOf(ch);
        if (i < 0) throw new Error(`"${ch}" cannot be written in Windows-1252`);
        return 0x80 + i;
    });
}

class MetafileWriter {
    constructor() {
        this.records = [];
        this.slots = [];
        this.maxObjects = 0;
        this.pen = null;
        this.brush = null;
        this.font = null;
    }

    record(fn, words) {
        for (const w of words) if (!Number.isInteger(w) || w < -32768 || w > 65535) throw new Error(`value ${w} does not fit in a metafile word`);
        this.records.push({ fn, words: words.map((w) => w & 0xffff) });
    }

    // A new object takes the lowest free slot of the object table, as players number them.
    create(fn, words) {
        let slot = this.slots.indexOf(false);
        if (slot < 0) { slot = this.slots.length; this.slots.push(true); } else this.slots[slot] = true;
        this.maxObjects = Math.max(this.maxObjects, this.slots.length);
        this.record(fn, words);
        this.record(META.SELECTOBJECT, [slot]);
        return slot;
    }

    // The replaced object is deleted only once the new one is selected, never while in use.
    replace(kind, fn, words) {
        const old = this[kind];
        this[kind] = this.create(fn, words);
        if (old !== null) { this.record(META.DELETEOBJECT, [old]); this.slots[old] = false; }
    }

    setPen(colour, width) {
        if (colour === null) this.replace('pen', META.CREATEPENINDIRECT, [PS_NULL, 0, 0, 0, 0]);
        else this.replace('pen', META.CREATEPENINDIRECT, [PS_SOLID, width, 0, colour & 0xffff, colour >>> 16]);
    }

    setBrush(colour) {
        if (colour === null) this.replace('brush', META.CREATEBRUSHINDIRECT, [BS_NULL, 0, 0, 0]);
        else this.replace('brush', META.CREATEBRUSHINDIRECT, [BS_SOLID, colour & 0xffff, colour >>> 16, 0]);
    }

    setFont(face, height, weight) {
        const name = [...cp1252(face), 0];
        if (name.length > 32) throw new Error(`font name too long: ${face}`);
        if (name.length % 2) name.push(0);
        // LOGFONT: height (negative: the character height), width, escapement, orientation,
        // weight, then italic/underline, strike-out/charset, precisions, quality/pitch as byte pairs.
        const words = [-height, 0, 0, 0, weight, 0, 0, 0, 0];
        for (let i = 0; i < name.length; i += 2) words.push(name[i] | (name[i + 1] << 8));
        this.replace('font', META.CREATEFONTINDIRECT, words);
    }

    text(x, y, colour, text) {
        this.record(META.SETTEXTCOLOR, [colour & 0xffff, colour >>> 16]);
        const bytes = cp1252(text);
        const words = [bytes.length];
        for (let i = 0; i < bytes.length; i += 2) words.push(bytes[i] | ((bytes[i + 1] || 0) << 8));
        words.push(y, x);
        this.record(META.TEXTOUT, words);
    }

    finish() {
        for (const kind of ['pen', 'brush', 'font']) {
            if (this[kind] !== null) { this.record(META.DELETEOBJECT, [this[kind]]); this[kind] = null; }
        }
        this.record(META.EOF, []);
    }

    bytes(frame) {
        const body = [];
        let maxRecord = 0;
        for (const r of this.records) {
            const size = 3 + r.words.length;
            maxRecord = Math.max(maxRecord, size);
            body.push(size & 0xffff, size >>> 16, r.fn, ...r.words);
        }
        const totalWords = 9 + body.length;
        const header = [1, 9, 0x0300, totalWords & 0xffff, totalWords >>> 16, this.maxObjects,
                        maxRecord & 0xffff, maxRecord >>> 16, 0];
        const placeable = [PLACEABLE_KEY & 0xffff, PLACEABLE_KEY >>> 16, 0, 0, 0, frame.width, frame.height, TWIPS_PER_INCH, 0, 0];
        const checksum = placeable.reduce((a, w) => a ^ w, 0);
        const words = [...placeable, checksum, ...header, ...body];
        const buffer = Buffer.alloc(words.length * 2);
        words.forEach((w, i) => buffer.writeUInt16LE(w & 0xffff, i * 2));
        return buffer;
    }
}

function tokens(line) {
    const out = [];
    const re = /"([^"]*)"|(\S+)/g;
    let m;
    while ((m = re.exec(line))) out.push(m[1] !== undefined ? { text: m[1] } : m[2]);
    return out;
}

function parseColour(token, where) {
    if (!/^0x[0-9a-fA-F]{1,6}$/.test(token)) throw new Error(`${where}: bad colour ${token}`);
    return parseInt(token, 16);
}

export function writeTitle(description) {
    const w = new MetafileWriter();
    let frame = null;
    description.split('\n').forEach((raw, i) => {
        const line = raw.trim();
        if (line === '' || line.startsWith('#')) return;
        const where = `line ${i + 1}`;
        const [op, ...args] = tokens(line);
        const ints = (n) => {
            if (n !== undefined && args.length !== n) throw new Error(`${where}: ${op} takes ${n} numbers`);
            return args.map((a) => {
                if (typeof a !== 'string' || !/^-?\d+$/.test(a)) throw new Error(`${where}: bad number ${JSON.stringify(a)}`);
                return Number(a);
            });
        };
        if (!frame && op !== 'cadre') throw new Error(`${where}: the description must begin with cadre`);
        switch (op) {
        case 'cadre': {
            if (frame) throw new Error(`${where}: a second cadre`);
            const [width, height] = ints(2);
            frame = { width, height };
            w.record(META.SETMAPMODE, [MM_ANISOTROPIC]);
            w.record(META.SETWINDOWORG, [0, 0]);
            w.record(META.SETWINDOWEXT, [height, width]);
            w.record(META.SETBKMODE, [TRANSPARENT]);
            w.record(META.SETTEXTALIGN, [0]);
            break;
        }
        case 'crayon':
            if (args[0] === 'aucun' && args.length === 1) w.setPen(null);
            else if (args.length === 2 && /^\d+$/.test(args[1])) w.setPen(parseColour(args[0], where), Number(args[1]));
            else throw new Error(`${where}: crayon <colour> <width> or crayon aucun`);
            break;
        case 'pinceau':
            if (args.length !== 1) throw new Error(`${where}: pinceau <colour> or pinceau aucun`);
            w.setBrush(args[0] === 'aucun' ? null : parseColour(args[0], where));
            break;
        case 'rectangle': {
            const [x, y, wd, ht] = ints(4);
            w.record(META.RECTANGLE, [y + ht, x + wd, y, x]);
            break;
        }
        case 'rectangle_arrondi': {
            const [x, y, wd, ht, cw, ch] = ints(6);
            w.record(META.ROUNDRECT, [ch, cw, y + ht, x + wd, y, x]);
            break;
        }
        case 'ellipse': {
            const [x, y, wd, ht] = ints(4);
            w.record(META.ELLIPSE, [y + ht, x + wd, y, x]);
            break;
        }
        case 'polygone': {
            const p = ints();
            if (p.length < 6 || p.length % 2) throw new Error(`${where}: a polygon needs three points or more`);
            w.record(META.POLYGON, [p.length / 2, ...p]);
            break;
        }
        case 'contours': {
            // Letter outlines fill as a font fills them: by winding, so that a letter's own
            // overlapping strokes leave no hole. Later polygons fill as before.
            const groups = [];
            let current = [];
            for (const a of args) {
                if (a === '/') { groups.push(current); current = []; continue; }
                if (typeof a !== 'string' || !/^-?\d+$/.test(a)) throw new Error(`${where}: bad number ${JSON.stringify(a)}`);
                current.push(Number(a));
            }
            groups.push(current);
            for (const g of groups) if (g.length < 6 || g.length % 2) throw new Error(`${where}: each contour needs three points or more`);
            w.record(META.SETPOLYFILLMODE, [WINDING]);
            w.record(META.POLYPOLYGON, [groups.length, ...groups.map((g) => g.length / 2), ...groups.flat()]);
            w.record(META.SETPOLYFILLMODE, [ALTERNATE]);
            break;
        }
        case 'police': {
            if (args.length !== 3 || typeof args[0] !== 'object') throw new Error(`${where}: police "<face>" <height> <weight>`);
            w.setFont(args[0].text, Number(args[1]), Number(args[2]));
            break;
        }
        case 'texte': {
            if (args.length !== 4 || typeof args[3] !== 'object') throw new Error(`${where}: texte <x> <y> <colour> "<text>"`);
            if (w.font === null) throw new Error(`${where}: texte before any police`);
            w.text(Number(args[0]), Number(args[1]), parseColour(args[2], where), args[3].text);
            break;
        }
        default:
            throw new Error(`${where}: unknown instruction ${op}`);
        }
    });
    if (!frame) throw new Error('no cadre');
    w.finish();
    return w.bytes(frame);
}

if (process.argv[1] && path.resolve(process.argv[1]) === path.resolve(new URL(import.meta.url).pathname)) {
    try {
        const [input, output] = process.argv.slice(2);
        if (!input || !output) throw new Error('usage: pictures_title.mjs <description> <output.wmf>');
        const data = writeTitle(fs.readFileSync(input, 'utf8'));
        fs.mkdirSync(path.dirname(output), { recursive: true });
        fs.writeFileSync(output, data);
    } catch (e) {
        console.error(`title picture: ${e.message}`);
        process.exit(1);
    }
}
