// The screen pictures: exit door, faces, the picture buttons, the activity icons of the home
// screen, the lesson icons, the reward pictures, the relation grid's token and corner, the lesson
// editor's arrow and the program's icon. Each frame is the size of the control that shows it, in
// design pixels (15 twips), so that what the screens write over a picture at given pixel positions
// lands where the picture leaves room for it.
import { PALETTE, darker, faded, lighter, num, pts, svgDocument } from './pictures_svg.mjs';
import { miniSolid } from './pictures_geometry.mjs';

const INK = '#292F33';

// Exit door, 855 x 975 twips: an open door with daylight behind and an arrow going out. The
// background stays transparent: every screen puts it on its own colour.
function exitDoor() {
    let s = '';
    s += `<rect x="17" y="6" width="28" height="52" fill="#FFF1B0" stroke="#6D4C2F" stroke-width="3"/>\n`;
    s += `<rect x="17" y="50" width="28" height="8" fill="#A6D388"/>\n`;
    s += `<rect x="17" y="6" width="28" height="52" fill="none" stroke="#6D4C2F" stroke-width="3"/>\n`;
    s += `<polygon points="${pts([[17, 6], [5, 12], [5, 63], [17, 58]])}" fill="#C1694F" stroke="#6D4C2F" stroke-width="2" stroke-linejoin="round"/>\n`;
    s += `<polygon points="${pts([[8, 18], [14, 15], [14, 30], [8, 32]])}" fill="#D99E82"/>\n`;
    s += `<polygon points="${pts([[8, 38], [14, 36], [14, 53], [8, 56]])}" fill="#D99E82"/>\n`;
    s += `<circle cx="14.5" cy="35" r="1.6" fill="#FFCC4D" stroke="#6D4C2F" stroke-width="0.8"/>\n`;
    s += `<polygon points="${pts([[22, 28], [38, 28], [38, 20], [54, 33], [38, 46], [38, 38], [22, 38]])}" fill="#77B255" stroke="#3E721D" stroke-width="2" stroke-linejoin="round"/>\n`;
    return svgDocument([0, 0, 57, 65], s);
}

// The light grey picture buttons of the players and the lesson choice (855 x 975 twips): raised
// like a push button, their symbol above y = 44, the screen writes their word from y = 46 down.
function greyButton(symbol) {
    let s = `<rect x="0" y="0" width="57" height="65" fill="#C0C0C0"/>\n`;
    s += `<polyline points="${pts([[0.75, 64], [0.75, 0.75], [56, 0.75]])}" fill="none" stroke="#FFFFFF" stroke-width="1.5"/>\n`;
    s += `<polyline points="${pts([[2.5, 62.5], [2.5, 2.5], [54.5, 2.5]])}" fill="none" stroke="#DFDFDF" stroke-width="1.5"/>\n`;
    s += `<polyline points="${pts([[0, 64.5], [56.5, 64.5], [56.5, 0]])}" fill="none" stroke="#000000" stroke-width="1"/>\n`;
    s += `<polyline points="${pts([[1.5, 63], [55, 63], [55, 1.5]])}" fill="none" stroke="#808080" stroke-width="1.5"/>\n`;
    return svgDocument([0, 0, 57, 65], s + symbol);
}

const checkButton = () => greyButton(
    `<polyline points="${pts([[15, 24], [25, 35], [43, 11]])}" fill="none" stroke="#2E7D32" stroke-width="7" stroke-linecap="round" stroke-linejoin="round"/>\n` +
    `<polyline points="${pts([[15, 24], [25, 35], [43, 11]])}" fill="none" stroke="#77B255" stroke-width="4" stroke-linecap="round" stroke-linejoin="round"/>\n`);

const cancelButton = () => greyButton(
    `<path d="M 18 10 L 39 35 M 39 10 L 18 35" fill="none" stroke="#A0041E" stroke-width="7" stroke-linecap="round"/>\n` +
    `<path d="M 18 10 L 39 35 M 39 10 L 18 35" fill="none" stroke="#DD2E44" stroke-width="4" stroke-linecap="round"/>\n`);

// Activity icons ---------------------------------------------------------------------------------
// 1125 x 1200 twips, 75 x 80 design pixels. The screen writes the activity number at (29, 58), so
// the bottom of every icon stays clear; on the numbers icons it writes a red example at fixed
// places, which the drawings below frame: the two sets around "14", "2" and "19", the tree's four
// leaves above "24 15 14 1", the table's titles "> <", ">" and "<", the grid's rows "4 + 3" and
// "6 - 2".

const MATERIAL = { dessins: '#5C913B', nombres: '#F4900C', solides: '#744EAA' };

function card(material) {
    const c = MATERIAL[material];
    return `<rect x="1.5" y="1.5" width="72" height="77" rx="7" fill="#FFFFFF" stroke="${c}" stroke-width="2.5"/>\n`;
}

function token(cx, cy, r) {
    return `<circle cx="${num(cx)}" cy="${num(cy)}" r="${num(r)}" fill="#DD2E44" stroke="#A0041E" stroke-width="1"/>\n` +
           `<circle cx="${num(cx - r * 0.3)}" cy="${num(cy - r * 0.3)}" r="${num(r * 0.3)}" fill="#F4ABBA"/>\n`;
}

function setsIcon(material, twemoji) {
    let s = card(material);
    s += `<ellipse cx="27" cy="32" rx="19" ry="17" fill="#BBDDF5" fill-opacity="0.5" stroke="#3B88C3" stroke-width="2"/>\n`;
    s += `<ellipse cx="49" cy="32" rx="19" ry="17" fill="#FFD983" fill-opacity="0.5" stroke="#E39A0B" stroke-width="2"/>\n`;
    if (material === 'dessins') {
        s += twemoji.placed('1f697', 9, 25, 15);
        s += twemoji.placed('1f34e', 31, 25, 14);
        s += twemoji.placed('1f34c', 51, 25, 15);
    } else if (material === 'solides') {
        s += miniSolid('cube', 'rouge', 9, 21, 16);
        s += miniSolid('cylindre', 'bleu', 30, 21, 16);
        s += miniSolid('boule', 'jaune', 51, 22, 15);
    }
    return svgDocument([0, 0, 75, 80], s);
}

function treeIcon(material, twemoji) {
    let s = card(material);
    const stroke = `stroke="${INK}" stroke-width="1.8" stroke-linecap="round" fill="none"`;
    const leaves = [16, 31, 49, 64];
    s += `<path ${stroke} d="M 37.5 6 L 22 15 M 37.5 6 L 56 15 M 22 15 L ${leaves[0]} 25 M 22 15 L ${leaves[1]} 25 M 56 15 L ${leaves[2]} 25 M 56 15 L ${leaves[3]} 25"/>\n`;
    s += `<circle cx="37.5" cy="6" r="2.5" fill="${MATERIAL[material]}"/>\n`;
    s += `<circle cx="22" cy="15" r="2" fill="${MATERIAL[material]}"/><circle cx="56" cy="15" r="2" fill="${MATERIAL[material]}"/>\n`;
    if (material === 'dessins') {
        ['1f415', '1f408', '1f426', '1f41f'].forEach((code, i) => { s += twemoji.placed(code, leaves[i] - 7, 27, 14); });
    } else if (material === 'solides') {
        [['cube', 'rouge'], ['pave', 'bleu'], ['cone', 'jaune'], ['boule', 'rouge']].forEach(([f, c], i) => {
            s += miniSolid(f, c, leaves[i] - 8, 25, 16);
        });
    }
    return svgDocument([0, 0, 75, 80], s);
}

function tableIcon(material, twemoji) {
    let s = card(material);
    // The numbers table's cells hold the symbols the screen writes in 14-point bold: "> <" at
    // (28, 6), ">" at (10, 22) and "<" at (10, 38), each inside its own cell.
    const [xs, ys] = material === 'nombres' ? [[4, 25, 42, 64], [4, 25, 41, 57]]
                                            : [[4, 26, 45, 64], [4, 22, 38, 54]];
    s += `<rect x="${xs[0]}" y="${ys[0]}" width="${xs[3] - xs[0]}" height="${ys[1] - ys[0]}" fill="#E1E8ED"/>\n`;
    s += `<rect x="${xs[0]}" y="${ys[0]}" width="${xs[1] - xs[0]}" height="${ys[3] - ys[0]}" fill="#E1E8ED"/>\n`;
    let grid = '';
    for (const x of xs) grid += `M ${x} ${ys[0]} L ${x} ${ys[3]} `;
    for (const y of ys) grid += `M ${xs[0]} ${y} L ${xs[3]} ${y} `;
    s += `<path d="${grid.trim()}" stroke="${INK}" stroke-width="1.2" fill="none"/>\n`;
    if (material === 'dessins') {
        s += `<circle cx="35.5" cy="13" r="5.5" fill="${PALETTE.rouge}"/><circle cx="54.5" cy="13" r="5.5" fill="${PALETTE.bleu}"/>\n`;
        s += twemoji.placed('1f34e', 8, 23, 14) + twemoji.placed('1f697', 8, 39, 14);
        s += twemoji.placed('1f352', 28.5, 23, 14) + twemoji.placed('1f699', 47.5, 39, 14);
    } else if (material === 'solides') {
        s += `<circle cx="35.5" cy="13" r="5.5" fill="${PALETTE.rouge}"/><circle cx="54.5" cy="13" r="5.5" fill="${PALETTE.jaune}"/>\n`;
        s += miniSolid('cube', 'bleu', 7, 22, 16) + miniSolid('boule', 'bleu', 7, 38, 16);
        s += miniSolid('cube', 'rouge', 27.5, 22, 16) + miniSolid('boule', 'jaune', 46.5, 38, 16);
    }
    return svgDocument([0, 0, 75, 80], s);
}

function gridIcon(material, twemoji) {
    let s = card(material);
    if (material === 'nombres') {
        // Two rows whose titles are the sums written by the screen ("4 + 3" from 11 to 33, "6 - 2"
        // from 35 to 55), two columns of cells.
        const xs = [4, 26, 48, 70], ys = [7, 34, 57];
        s += `<rect x="4" y="7" width="22" height="50" fill="#E1E8ED"/>\n`;
        let grid = '';
        for (const x of xs) grid += `M ${x} ${ys[0]} L ${x} ${ys[2]} `;
        for (const y of ys) grid += `M ${xs[0]} ${y} L ${xs[3]} ${y} `;
        s += `<path d="${grid.trim()}" stroke="${INK}" stroke-width="1.2" fill="none"/>\n`;
        s += token(37, 20.5, 7) + token(59, 45.5, 7);
        return svgDocument([0, 0, 75, 80], s);
    }
    const xs = [4, 26, 48, 70], ys = [4, 22, 38, 54];
    s += `<rect x="4" y="4" width="66" height="18" fill="#E1E8ED"/><rect x="4" y="4" width="22" height="50" fill="#E1E8ED"/>\n`;
    let grid = '';
    for (const x of xs) grid += `M ${x} ${ys[0]} L ${x} ${ys[3]} `;
    for (const y of ys) grid += `M ${xs[0]} ${y} L ${xs[3]} ${y} `;
    s += `<path d="${grid.trim()}" stroke="${INK}" stroke-width="1.2" fill="none"/>\n`;
    s += `<path d="M 6 20 L 24 6" stroke="${INK}" stroke-width="1" fill="none"/>\n`;
    if (material === 'dessins') {
        s += twemoji.placed('1f415', 30, 5, 15) + twemoji.placed('1f426', 52, 5, 15);
        s += twemoji.placed('1f9b4', 8, 23, 14) + twemoji.placed('1fab6', 8, 39, 14);
    } else {
        s += miniSolid('cube', 'rouge', 29, 3, 16) + miniSolid('cylindre', 'bleu', 51, 3, 16);
        s += `<rect x="9" y="25" width="10" height="10" fill="${lighter(PALETTE.orange, 0.3)}" stroke="${darker(PALETTE.orange, 0.35)}" stroke-width="1"/>\n`;
        s += `<circle cx="14" cy="46" r="5.5" fill="${lighter(PALETTE.orange, 0.3)}" stroke="${darker(PALETTE.orange, 0.35)}" stroke-width="1"/>\n`;
    }
    s += token(37, 30, 5.5) + token(59, 46, 5.5);
    return svgDocument([0, 0, 75, 80], s);
}

const ACTIVITY_MAKERS = [setsIcon, treeIcon, tableIcon, gridIcon];
const MATERIALS = ['dessins', 'nombres', 'solides'];

// Lesson icons, 32 x 32: twenty different pictures that tell the cells of the lesson choice apart.
const LESSON_ICONS = ['2b50', '2600', '1f319', '1f308', '2601', '2744', '1f33b', '1f337', '1f333', '1f335',
    '1f341', '1f340', '1f3e0', '1f3f0', '1f30d', '1f4a7', '1f36d', '1f382', '1f381', '1f3a0'];

// Reward pictures, 1815 x 2295 twips: six sets, each an earned-point picture and its lost-point
// partner, which is a wilted, rainy or colourless version of it.
const REWARDS = [
    ['2b50', null], ['1f339', '1f940'], ['1f31e', '1f327'], ['1f3c6', null], ['1f3c5', null], ['2764', null],
];
const REWARD_FRAME = [-2, -7.3, 40, 50.6];

// The grid's token (1350 x 1575 twips): a red counter.
function gridToken() {
    const s = `<defs><radialGradient id="t" cx="0.4" cy="0.38" r="0.65">` +
              `<stop offset="0" stop-color="#F47A8B"/><stop offset="0.6" stop-color="#DD2E44"/>` +
              `<stop offset="1" stop-color="#A0041E"/></radialGradient></defs>\n` +
              `<circle cx="30" cy="35" r="23" fill="url(#t)" stroke="#7A0315" stroke-width="2"/>\n` +
              `<circle cx="30" cy="35" r="15" fill="none" stroke="#F4ABBA" stroke-width="1.5"/>\n`;
    return svgDocument([0, 0, 60, 70], s);
}

// A curved arrow from below to the right: the grid is read from a row's title to a column's.
function curvedArrow(w, h, colour, edge) {
    const x0 = w * 0.22, y0 = h * 0.9, x1 = w * 0.72, y1 = h * 0.3;
    const d = `M ${num(x0)} ${num(y0)} C ${num(x0)} ${num(h * 0.45)} ${num(w * 0.35)} ${num(y1)} ${num(x1)} ${num(y1)}`;
    const sw = w * 0.11, head = w * 0.2;
    const tip = [[x1 - 1, y1 - head * 0.85], [w * 0.96, y1], [x1 - 1, y1 + head * 0.85]];
    let s = `<path d="${d}" fill="none" stroke="${edge}" stroke-width="${num(sw + 2)}" stroke-linecap="round"/>\n`;
    s += `<polygon points="${pts(tip)}" fill="${edge}" stroke="${edge}" stroke-width="2" stroke-linejoin="round"/>\n`;
    s += `<path d="${d}" fill="none" stroke="${colour}" stroke-width="${num(sw)}" stroke-linecap="round"/>\n`;
    s += `<polygon points="${pts(tip)}" fill="${colour}"/>\n`;
    return svgDocument([0, 0, w, h], s);
}

// The program's icon: a red disc, a blue square and a yellow triangle on the program's teal.
function programIcon() {
    let s = `<rect x="1" y="1" width="62" height="62" rx="10" fill="#00C0C0" stroke="#008080" stroke-width="2"/>\n`;
    s += `<rect x="31" y="28" width="24" height="24" fill="${PALETTE.bleu}" stroke="${INK}" stroke-width="2"/>\n`;
    s += `<circle cx="22" cy="40" r="13" fill="${PALETTE.rouge}" stroke="${INK}" stroke-width="2"/>\n`;
    s += `<polygon points="${pts([[32, 6], [47, 31], [17, 31]])}" fill="${PALETTE.jaune}" stroke="${INK}" stroke-width="2" stroke-linejoin="round"/>\n`;
    return svgDocument([0, 0, 64, 64], s);
}

export function screenPictures(twemoji) {
    const out = {};
    out.porte = exitDoor();
    out.visage_content = svgDocument([0, 0, 36, 36], twemoji.placed('1f600', 0, 0, 36));
    out.visage_triste = svgDocument([0, 0, 36, 36], twemoji.placed('2639', 0, 0, 36));
    out.bouton_continue = checkButton();
    out.bouton_annule = cancelButton();
    for (let i = 0; i < 12; ++i) out[`activite_${i}`] = ACTIVITY_MAKERS[i % 4](MATERIALS[Math.floor(i / 4)], twemoji);
    LESSON_ICONS.forEach((code, i) => { out[`lecon_${i}`] = svgDocument([0, 0, 36, 36], twemoji.placed(code, 0, 0, 36)); });
    REWARDS.forEach(([earned, lost], i) => {
        out[`gagne_${i}`] = svgDocument(REWARD_FRAME, twemoji.placed(earned, 0, 0, 36));
        out[`perdu_${i}`] = svgDocument(REWARD_FRAME, lost ? twemoji.placed(lost, 0, 0, 36) : twemoji.placed(earned, 0, 0, 36, faded));
    });
    out.jeton = gridToken();
    out.coin = curvedArrow(49, 57, '#88C9F9', '#3B88C3');
    out.fleche = curvedArrow(33, 38, PALETTE.rouge, '#A0041E');
    out.icone = programIcon();
    return out;
}
