// The drawings we make ourselves: solids in the oblique view taught at school (front face in true
// shape, receding edges at 45 degrees and half length, hidden edges dashed), attribute blocks
// (shape x colour x size x thickness) and plane figures. Each drawing also reports the counts it
// really shows (faces, edges, vertices, sides, parallel sides, right angles), so that the build
// fails when the table says otherwise.
import { PALETTE, darker, lighter, num, pts } from './pictures_svg.mjs';

// All our drawings share one upright frame, a little taller than wide like the boxes that show them.
export const FRAME = [0, 0, 40, 44];
const FIT_W = 34, FIT_H = 36;
const SMALL = 0.6;

const K = 0.5, C45 = Math.SQRT1_2;
const EDGE = '#292F33';
const EDGE_W = 1.1, HIDDEN_W = 0.8, DASH = '1.6 1.2';

// x to the right, y up, z away from the viewer; the screen's y goes down.
const project = ([x, y, z]) => [x + K * z * C45, -(y + K * z * C45)];
const TOWARD_VIEWER = [K * C45, K * C45, -1];

const sub = (a, b) => a.map((v, i) => v - b[i]);
const dot = (a, b) => a.reduce((s, v, i) => s + v * b[i], 0);
const cross = (a, b) => [a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]];
const centroid = (ps) => ps[0].map((_, i) => ps.reduce((s, p) => s + p[i], 0) / ps.length);

// Light from the upper left, in front: the top is brightest, the right side in shadow.
const LIGHT = (() => { const l = [-0.35, 0.85, -0.55]; const n = Math.hypot(...l); return l.map((v) => v / n); })();
// The front face keeps the true colour, which is the one pupils name; others are lit relative to it.
const FRONT_LIGHT = -LIGHT[2];
function shade(colour, normal) {
    const n = Math.hypot(...normal);
    const d = dot(normal.map((v) => v / n), LIGHT) - FRONT_LIGHT;
    return d >= 0 ? lighter(colour, 0.6 * d) : darker(colour, 0.25 * -d);
}

// A convex polyhedron given by its vertices and faces (lists of vertex indices).
function polyhedron(vertices, faces) {
    const centre = centroid(vertices);
    const info = faces.map((f) => {
        const ps = f.map((i) => vertices[i]);
        let n = cross(sub(ps[1], ps[0]), sub(ps[2], ps[0]));
        if (dot(n, sub(centroid(ps), centre)) < 0) n = n.map((v) => -v);
        return { f, normal: n, visible: dot(n, TOWARD_VIEWER) > 1e-9 };
    });
    const edges = new Map();
    for (const { f, visible } of info) {
        f.forEach((a, i) => {
            const b = f[(i + 1) % f.length];
            const key = a < b ? `${a}-${b}` : `${b}-${a}`;
            const e = edges.get(key) || { a: Math.min(a, b), b: Math.max(a, b), visible: false };
            e.visible ||= visible;
            edges.set(key, e);
        });
    }
    return { vertices, faces: info, edges: [...edges.values()] };
}

function box(w, h, d) {
    const v = [];
    for (const z of [0, d]) for (const y of [0, h]) for (const x of [0, w]) v.push([x, y, z]);
    // index = x + 2y + 4z
    return polyhedron(v, [[0, 1, 3, 2], [4, 5, 7, 6], [0, 1, 5, 4], [2, 3, 7, 6], [0, 2, 6, 4], [1, 3, 7, 5]]);
}

// A prism standing on the front plane: the polygon (x, y) is its front face, it reaches back to z = d.
function extrusion(polygon, d) {
    const n = polygon.length;
    const v = [...polygon.map(([x, y]) => [x, y, 0]), ...polygon.map(([x, y]) => [x, y, d])];
    const faces = [[...Array(n).keys()], [...Array(n).keys()].map((i) => i + n)];
    for (let i = 0; i < n; ++i) faces.push([i, (i + 1) % n, (i + 1) % n + n, i + n]);
    return polyhedron(v, faces);
}

function pyramid(base, apex) {
    const n = base.length;
    const faces = [[...Array(n).keys()]];
    for (let i = 0; i < n; ++i) faces.push([i, (i + 1) % n, n]);
    return polyhedron([...base, apex], faces);
}

const regular = (count, r, startDeg) => [...Array(count).keys()].map((i) => {
    const a = (startDeg + (360 * i) / count) * Math.PI / 180;
    return [r * Math.cos(a), r * Math.sin(a)];
});

// Fitting: a drawing is made in model units, then scaled and centred in the frame.
class Placement {
    constructor(bbox, scale) {
        this.scale = scale;
        const [x0, y0, x1, y1] = bbox;
        this.dx = FRAME[0] + FRAME[2] / 2 - ((x0 + x1) / 2) * scale;
        this.dy = FRAME[1] + FRAME[3] / 2 - ((y0 + y1) / 2) * scale;
    }
    p([x, y]) { return [x * this.scale + this.dx, y * this.scale + this.dy]; }
    l(v) { return v * this.scale; }
}

function bboxOf(points) {
    const xs = points.map((p) => p[0]), ys = points.map((p) => p[1]);
    return [Math.min(...xs), Math.min(...ys), Math.max(...xs), Math.max(...ys)];
}

const fitScale = ([x0, y0, x1, y1]) => Math.min(FIT_W / (x1 - x0), FIT_H / (y1 - y0));

function polyhedronSvg(poly, colour, place, { hiddenEdges }) {
    const screen = poly.vertices.map((v) => place.p(project(v)));
    let out = '';
    for (const face of poly.faces.filter((f) => f.visible)) {
        out += `<polygon fill="${shade(colour, face.normal)}" points="${pts(face.f.map((i) => screen[i]))}"/>\n`;
    }
    const line = (e, attrs) => {
        const [a, b] = [screen[e.a], screen[e.b]];
        return `<line x1="${num(a[0])}" y1="${num(a[1])}" x2="${num(b[0])}" y2="${num(b[1])}" ${attrs}/>\n`;
    };
    if (hiddenEdges) {
        for (const e of poly.edges.filter((e) => !e.visible))
            out += line(e, `stroke="${EDGE}" stroke-width="${HIDDEN_W}" stroke-dasharray="${DASH}"`);
    }
    for (const e of poly.edges.filter((e) => e.visible))
        out += line(e, `stroke="${EDGE}" stroke-width="${EDGE_W}" stroke-linecap="round"`);
    return out;
}

function counts(poly) {
    return { faces: poly.faces.length, aretes: poly.edges.length, sommets: poly.vertices.length };
}

// Solids ----------------------------------------------------------------------------------------

const POLYHEDRA = {
    cube: () => box(1, 1, 1),
    pave: () => box(1.7, 0.85, 0.9),
    pyramide_carree: () => pyramid([[0, 0, 0], [1.3, 0, 0], [1.3, 0, 1.3], [0, 0, 1.3]], [0.65, 1.35, 0.65]),
    pyramide_triangulaire: () => pyramid([[0.75, 0, 0], [1.5, 0, 1.1], [0, 0, 1.1]], [0.75, 1.3, 0.73]),
    prisme_triangulaire: () => extrusion([[0, 0], [1.3, 0], [0.65, 1.05]], 1.5),
    prisme_hexagonal: () => extrusion(regular(6, 0.7, 0), 1.3),
};

// Round solids are drawn with level ellipses, as school books do; e is the ellipses' flattening.
const E = 0.32;
const ROUND = {
    cylindre: { r: 0.6, h: 1.45 },
    cone: { r: 0.7, h: 1.5 },
    boule: { r: 0.75 },
};

function gradient(id, colour) {
    return `<defs><linearGradient id="${id}" x1="0" y1="0" x2="1" y2="0">` +
           `<stop offset="0" stop-color="${lighter(colour, 0.35)}"/>` +
           `<stop offset="0.45" stop-color="${colour}"/>` +
           `<stop offset="1" stop-color="${darker(colour, 0.3)}"/></linearGradient></defs>\n`;
}

function roundSolidSvg(forme, colour, size) {
    const s = ROUND[forme];
    let bbox;
    if (forme === 'cylindre') bbox = [-s.r, -s.h - s.r * E, s.r, s.r * E];
    else if (forme === 'cone') bbox = [-s.r, -s.h, s.r, s.r * E];
    else bbox = [-s.r, -s.r, s.r, s.r];
    const place = new Placement(bbox, fitScale(bbox) * size);
    const P = (x, y) => place.p([x, y]);
    const a = place.l(s.r), b = place.l(s.r * E);
    const stroke = `stroke="${EDGE}" stroke-width="${EDGE_W}" fill="none"`;
    const hidden = `stroke="${EDGE}" stroke-width="${HIDDEN_W}" stroke-dasharray="${DASH}" fill="none"`;
    const M = ([x, y]) => `${num(x)} ${num(y)}`;
    let out = gradient('g', colour);
    if (forme === 'cylindre') {
        const [cx, cy] = P(0, 0), [tx, ty] = P(0, -s.h);
        out += `<path fill="url(#g)" d="M ${M([cx - a, ty])} L ${M([cx - a, cy])} A ${num(a)} ${num(b)} 0 0 0 ${M([cx + a, cy])} L ${M([cx + a, ty])} Z"/>\n`;
        out += `<ellipse fill="${lighter(colour, 0.3)}" cx="${num(tx)}" cy="${num(ty)}" rx="${num(a)}" ry="${num(b)}"/>\n`;
        out += `<path ${hidden} d="M ${M([cx - a, cy])} A ${num(a)} ${num(b)} 0 0 1 ${M([cx + a, cy])}"/>\n`;
        out += `<path ${stroke} d="M ${M([cx - a, ty])} L ${M([cx - a, cy])} A ${num(a)} ${num(b)} 0 0 0 ${M([cx + a, cy])} L ${M([cx + a, ty])}"/>\n`;
        out += `<ellipse ${stroke} cx="${num(tx)}" cy="${num(ty)}" rx="${num(a)}" ry="${num(b)}"/>\n`;
        return { body: out, counts: { faces: 2, aretes: 2, sommets: 0 } };
    }
    if (forme === 'cone') {
        const [cx, cy] = P(0, 0), apex = P(0, -s.h);
        const h = cy - apex[1];
        const yt = -(b * b) / h, xt = a * Math.sqrt(1 - (yt * yt) / (b * b));
        const L = [cx - xt, cy + yt], R = [cx + xt, cy + yt];
        out += `<path fill="url(#g)" d="M ${M(apex)} L ${M(R)} A ${num(a)} ${num(b)} 0 1 1 ${M(L)} Z"/>\n`;
        out += `<path ${hidden} d="M ${M(L)} A ${num(a)} ${num(b)} 0 0 1 ${M(R)}"/>\n`;
        out += `<path ${stroke} stroke-linejoin="round" d="M ${M(L)} L ${M(apex)} L ${M(R)} A ${num(a)} ${num(b)} 0 1 1 ${M(L)}"/>\n`;
        return { body: out, counts: { faces: 1, aretes: 1, sommets: 1 } };
    }
    const [cx, cy] = P(0, 0);
    out = `<defs><radialGradient id="g" cx="0.38" cy="0.35" r="0.7">` +
          `<stop offset="0" stop-color="${lighter(colour, 0.55)}"/>` +
          `<stop offset="0.55" stop-color="${colour}"/>` +
          `<stop offset="1" stop-color="${darker(colour, 0.35)}"/></radialGradient></defs>\n`;
    out += `<circle fill="url(#g)" cx="${num(cx)}" cy="${num(cy)}" r="${num(a)}"/>\n`;
    const eb = a * 0.3;
    out += `<path ${hidden} d="M ${M([cx - a, cy])} A ${num(a)} ${num(eb)} 0 0 1 ${M([cx + a, cy])}"/>\n`;
    out += `<path stroke="${EDGE}" stroke-width="${HIDDEN_W}" fill="none" d="M ${M([cx - a, cy])} A ${num(a)} ${num(eb)} 0 0 0 ${M([cx + a, cy])}"/>\n`;
    out += `<circle ${stroke} cx="${num(cx)}" cy="${num(cy)}" r="${num(a)}"/>\n`;
    return { body: out, counts: { faces: 0, aretes: 0, sommets: 0 } };
}

export function solid(forme, colourName, size) {
    const colour = PALETTE[colourName];
    if (!colour) throw new Error(`unknown colour ${colourName}`);
    if (ROUND[forme]) {
        const r = roundSolidSvg(forme, colour, size);
        return { body: r.body, counts: { ...r.counts, roule: 'oui' } };
    }
    const make = POLYHEDRA[forme];
    if (!make) throw new Error(`unknown solid ${forme}`);
    const poly = make();
    const bbox = bboxOf(poly.vertices.map(project));
    const place = new Placement(bbox, fitScale(bbox) * size);
    return { body: polyhedronSvg(poly, colour, place, { hiddenEdges: true }),
             counts: { ...counts(poly), roule: 'non' } };
}

// Attribute blocks --------------------------------------------------------------------------------

const BLOCK_SHAPES = {
    carre: [[0, 0], [1, 0], [1, 1], [0, 1]],
    rectangle: [[0, 0], [1.7, 0], [1.7, 0.85], [0, 0.85]],
    triangle: [[0, 0], [1.25, 0], [0.625, 1.08]],
};
const DISC_R = 0.58;
const THICKNESS = { epais: 0.5, mince: 0.18 };

// Each shape is fitted to the frame in its thick version, so that a thin block shows the same
// front face with less thickness behind it, and a large block of any shape fills its box.
function blockScale(forme) {
    const d = THICKNESS.epais * K * C45;
    if (forme === 'disque') return fitScale([-DISC_R, -DISC_R - d, DISC_R + d, DISC_R]);
    return fitScale(bboxOf(extrusion(BLOCK_SHAPES[forme], THICKNESS.epais).vertices.map(project)));
}

export function block(forme, epaisseur, colourName, size) {
    const colour = PALETTE[colourName];
    const depth = THICKNESS[epaisseur];
    if (!colour || depth === undefined) throw new Error(`bad block ${forme} ${epaisseur} ${colourName}`);
    if (forme === 'disque') {
        const d = depth * K * C45;
        const bbox = [-DISC_R, -DISC_R - d, DISC_R + d, DISC_R];
        const place = new Placement(bbox, blockScale('disque') * size);
        const r = place.l(DISC_R), off = place.l(d);
        const [cx, cy] = place.p([0, 0]);
        // The side band lies between the two tangents at 45 degrees to the receding direction.
        const u = r * C45;
        const A = [cx - u, cy - u], B = [cx + u, cy + u];
        const A2 = [A[0] + off, A[1] - off], B2 = [B[0] + off, B[1] - off];
        const M = ([x, y]) => `${num(x)} ${num(y)}`;
        let out = `<path fill="${darker(colour, 0.25)}" d="M ${M(A)} L ${M(A2)} A ${num(r)} ${num(r)} 0 0 1 ${M(B2)} L ${M(B)} A ${num(r)} ${num(r)} 0 0 0 ${M(A)} Z"/>\n`;
        out += `<circle fill="${colour}" cx="${num(cx)}" cy="${num(cy)}" r="${num(r)}"/>\n`;
        out += `<path stroke="${EDGE}" stroke-width="${EDGE_W}" fill="none" stroke-linejoin="round" d="M ${M(A)} L ${M(A2)} A ${num(r)} ${num(r)} 0 0 1 ${M(B2)} L ${M(B)}"/>\n`;
        out += `<circle stroke="${EDGE}" stroke-width="${EDGE_W}" fill="none" cx="${num(cx)}" cy="${num(cy)}" r="${num(r)}"/>\n`;
        return { body: out, counts: { faces: 2, aretes: 2, sommets: 0, roule: 'oui' } };
    }
    const shape = BLOCK_SHAPES[forme];
    if (!shape) throw new Error(`unknown block ${forme}`);
    const poly = extrusion(shape, depth);
    const bbox = bboxOf(poly.vertices.map(project));
    const place = new Placement(bbox, blockScale(forme) * size);
    const body = polyhedronSvg(poly, colour, place, { hiddenEdges: false });
    return { body, counts: { ...counts(poly), roule: 'non' } };
}

// Plane figures -----------------------------------------------------------------------------------

const FIGURES = {
    carre: [[0, 0], [1, 0], [1, 1], [0, 1]],
    rectangle: [[0, 0], [1.7, 0], [1.7, 0.9], [0, 0.9]],
    parallelogramme: [[0.5, 0], [1.7, 0], [1.2, 1], [0, 1]],
    losange: [[0.55, 0], [1.1, 0.8], [0.55, 1.6], [0, 0.8]],
    trapeze_isocele: [[0.45, 0], [1.25, 0], [1.7, 1], [0, 1]],
    trapeze_rectangle: [[0, 0], [0.95, 0], [1.6, 1.05], [0, 1.05]],
    trapeze: [[0.25, 0], [1.05, 0], [1.75, 1], [0, 1]],
    quadrilatere: [[0.15, 0.3], [1.35, 0], [1.6, 1.25], [0.35, 0.95]],
    cerf_volant: [[0.6, 0], [1.2, 0.5], [0.6, 1.6], [0, 0.5]],
    triangle_rectangle: [[0, 0], [0, 1.3], [1.1, 1.3]],
    triangle_isocele: [[0.5, 0], [1, 1.5], [0, 1.5]],
    triangle_equilateral: [[0.7, 0], [1.4, 1.4 * Math.sqrt(3) / 2], [0, 1.4 * Math.sqrt(3) / 2]],
    triangle: [[0.55, 0], [1.7, 1.15], [0, 0.8]],
    triangle_rectangle_isocele: [[0, 0.6], [0.6, 0], [1.2, 0.6]],
    pentagone: regular(5, 1, -90),
    hexagone: regular(6, 1, 0),
    octogone: regular(8, 1, 22.5),
    carre_pointe: [[0.7, 0], [1.4, 0.7], [0.7, 1.4], [0, 0.7]],
    rectangle_penche: (() => {
        const a = (30 * Math.PI) / 180, w = 1.5, h = 0.7;
        return [[0, 0], [w * Math.cos(a), w * Math.sin(a)],
                [w * Math.cos(a) - h * Math.sin(a), w * Math.sin(a) + h * Math.cos(a)],
                [-h * Math.sin(a), h * Math.cos(a)]];
    })(),
    maison: [[0, 0.6], [0.6, 0], [1.2, 0.6], [1.2, 1.5], [0, 1.5]],
    hexagone_l: [[0, 0], [0.6, 0], [0.6, 0.9], [1.3, 0.9], [1.3, 1.5], [0, 1.5]],
};

// Sides, pairs of parallel sides and right angles inside the figure, as a pupil counts them.
function polygonCounts(p) {
    const n = p.length;
    const side = (i) => sub(p[(i + 1) % n], p[i]);
    const tol = 1e-6;
    let parallel = 0, right = 0;
    for (let i = 0; i < n; ++i) for (let j = i + 1; j < n; ++j) {
        const [a, b] = [side(i), side(j)];
        if (Math.abs(a[0] * b[1] - a[1] * b[0]) < tol * Math.hypot(...a) * Math.hypot(...b)) ++parallel;
    }
    let area = 0;
    for (let i = 0; i < n; ++i) area += p[i][0] * p[(i + 1) % n][1] - p[(i + 1) % n][0] * p[i][1];
    for (let i = 0; i < n; ++i) {
        const a = side((i + n - 1) % n), b = side(i);
        const turn = a[0] * b[1] - a[1] * b[0];
        // A convex corner turns the way the figure winds; a reflex one (the L's inner corner) does not.
        if (Math.abs(dot(a, b)) < tol * Math.hypot(...a) * Math.hypot(...b) && turn * area > 0) ++right;
    }
    return { cotes: n, paralleles: parallel, angles_droits: right };
}

export function figure(forme, colourName) {
    const colour = PALETTE[colourName];
    if (!colour) throw new Error(`unknown colour ${colourName}`);
    const fill = lighter(colour, 0.3), stroke = darker(colour, 0.35);
    if (forme === 'disque') {
        const r = Math.min(FIT_W, FIT_H) / 2;
        return { body: `<circle fill="${fill}" stroke="${stroke}" stroke-width="1.3" cx="${FRAME[2] / 2}" cy="${FRAME[3] / 2}" r="${num(r)}"/>\n`,
                 counts: { cotes: 0, paralleles: 0, angles_droits: 0 } };
    }
    const poly = FIGURES[forme];
    if (!poly) throw new Error(`unknown figure ${forme}`);
    const bbox = bboxOf(poly);
    const place = new Placement(bbox, fitScale(bbox) * 0.95);
    return { body: `<polygon fill="${fill}" stroke="${stroke}" stroke-width="1.3" stroke-linejoin="round" points="${pts(poly.map((q) => place.p(q)))}"/>\n`,
             counts: polygonCounts(poly) };
}

export const SMALL_SIZE = SMALL;

// Small pieces reused by the screen pictures (the activity icons show little solids).
export function miniSolid(forme, colourName, x, y, size) {
    const { body } = solid(forme, colourName, 1);
    const s = size / FRAME[2];
    return `<g transform="translate(${num(x)} ${num(y)}) scale(${num(s)})">${body.replace(/id="g"/g, `id="g${forme}${colourName}"`).replace(/url\(#g\)/g, `url(#g${forme}${colourName})`)}</g>\n`;
}
