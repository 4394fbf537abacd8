// Writes the 311 drawings of the drawing library and the screen pictures as SVG files, from the
// drawing table and the pinned Twemoji package. Run by the build:
//   node tools/pictures.mjs --table assets/drawings.tsv --twemoji <folder of Twemoji SVGs>
//        --out <folder> --screen <comma-separated names of the screen pictures the build expects>
// Any inconsistency in the table stops the build with a message naming the line.
import fs from 'node:fs';
import path from 'node:path';
import { Twemoji, recolourer, svgDocument, writeOutput } from './pictures_svg.mjs';
import { FRAME, block, figure, solid } from './pictures_geometry.mjs';
import { screenPictures } from './pictures_screen.mjs';

export const LAST_DRAWING = 310;

// The two families of numbers are fixed: lessons and the library's own layout rely on them.
const SECOND_FAMILY = new Set([
    ...Array.from({ length: 111 }, (_, i) => 150 + i), 273, 277, 278, 300,
    302, 303, 304, 305, 306, 307, 308, 309, 310,
]);
export const familyOf = (n) => (SECOND_FAMILY.has(n) ? 2 : 1);

// Everyday pictures keep Twemoji's square, with a margin that makes the frame a little taller.
const TWEMOJI_FRAME = [-1, -4, 38, 44];

const COLUMNS = ['numero', 'famille', 'source', 'recoloration', 'taille', 'nom', 'genre', 'couleur',
    'grandeur', 'pattes', 'milieu', 'classe', 'partie', 'forme', 'faces', 'aretes', 'sommets', 'roule',
    'cotes', 'paralleles', 'angles_droits', 'epaisseur'];

function fail(message) {
    throw new Error(message);
}

export function readTable(file) {
    const lines = fs.readFileSync(file, 'utf8').split('\n');
    let header = null;
    const rows = [];
    lines.forEach((line, i) => {
        if (line === '' || line.startsWith('#')) return;
        const cells = line.split('\t');
        const where = `${path.basename(file)}:${i + 1}`;
        if (!header) {
            if (cells.join(',') !== COLUMNS.join(',')) fail(`${where}: unexpected columns`);
            header = cells;
            return;
        }
        if (cells.length !== header.length) fail(`${where}: ${cells.length} columns instead of ${header.length}`);
        const row = { where };
        header.forEach((h, j) => { row[h] = cells[j]; });
        rows.push(row);
    });
    if (!header) fail(`${file}: no header line`);
    rows.forEach((r, i) => {
        if (r.numero !== String(i)) fail(`${r.where}: number ${r.numero} where ${i} was expected`);
        if (r.famille !== String(familyOf(i))) fail(`${r.where}: drawing ${i} belongs to family ${familyOf(i)}`);
    });
    if (rows.length !== LAST_DRAWING + 1) fail(`${file}: ${rows.length} drawings instead of ${LAST_DRAWING + 1}`);
    return rows;
}

const SIZE_OF = { '1': 'grand', '0.6': 'petit' };

function checkCounts(row, counts) {
    for (const [key, value] of Object.entries(counts)) {
        if (row[key] !== String(value)) fail(`${row.where}: ${key} is ${row[key]} in the table but the drawing shows ${value}`);
    }
}

export function drawingSvg(row, twemoji) {
    const size = Number(row.taille);
    if (SIZE_OF[row.taille] !== row.grandeur) fail(`${row.where}: taille ${row.taille} does not match grandeur ${row.grandeur}`);
    const [kind, ...args] = row.source.split(':');
    if (kind === 'twemoji') {
        if (row.famille !== '1') fail(`${row.where}: Twemoji pictures belong to family 1`);
        let map;
        if (row.recoloration !== '-') {
            const m = /^([0-9A-Fa-f]{3,6})>([a-z]+|[0-9A-Fa-f]{6})$/.exec(row.recoloration);
            if (!m) fail(`${row.where}: bad recoloration ${row.recoloration}`);
            map = recolourer('#' + m[1], m[2]);
        }
        const s = 36 * size, o = (36 - s) / 2;
        return svgDocument(TWEMOJI_FRAME, twemoji.placed(args[0], o, o, s, map));
    }
    if (row.famille !== '2') fail(`${row.where}: generated drawings belong to family 2`);
    if (row.recoloration !== '-') fail(`${row.where}: generated drawings take their colour from couleur`);
    let made;
    if (kind === 'solide') {
        made = solid(args[0], row.couleur, size);
        if (row.forme !== args[0]) fail(`${row.where}: forme ${row.forme} but source ${row.source}`);
    } else if (kind === 'bloc') {
        made = block(args[0], args[1], row.couleur, size);
        if (row.forme !== args[0] || row.epaisseur !== args[1]) fail(`${row.where}: forme or epaisseur differ from source`);
    } else if (kind === 'figure') {
        made = figure(args[0], row.couleur);
        if (row.forme !== args[0]) fail(`${row.where}: forme ${row.forme} but source ${row.source}`);
    } else {
        fail(`${row.where}: unknown source ${row.source}`);
    }
    checkCounts(row, made.counts);
    return svgDocument(FRAME, made.body);
}

function parseArgs(argv) {
    const args = {};
    for (let i = 0; i < argv.length; i += 2) {
        if (!argv[i].startsWith('--') || argv[i + 1] === undefined) fail(`bad argument ${argv[i]}`);
        args[argv[i].slice(2)] = argv[i + 1];
    }
    for (const k of ['table', 'twemoji', 'out', 'screen']) if (args[k] === undefined) fail(`missing --${k}`);
    return args;
}

function main() {
    const args = parseArgs(process.argv.slice(2));
    const twemoji = new Twemoji(args.twemoji);
    const rows = readTable(args.table);
    rows.forEach((row, n) => {
        writeOutput(path.join(args.out, 'dessins', `${String(n).padStart(3, '0')}.svg`), drawingSvg(row, twemoji));
    });
    const screens = screenPictures(twemoji);
    const expected = args.screen.split(',').filter((s) => s);
    const made = Object.keys(screens);
    const missing = expected.filter((n) => !screens[n]), extra = made.filter((n) => !expected.includes(n));
    if (missing.length || extra.length)
        fail(`screen pictures differ from the build's list: missing ${missing.join(' ') || '-'}, unexpected ${extra.join(' ') || '-'}`);
    for (const [name, text] of Object.entries(screens)) writeOutput(path.join(args.out, 'ecran', `${name}.svg`), text);
}

if (process.argv[1] && path.resolve(process.argv[1]) === path.resolve(new URL(import.meta.url).pathname)) {
    try {
        main();
    } catch (e) {
        console.error(`pictures: ${e.message}`);
        process.exit(1);
    }
}

