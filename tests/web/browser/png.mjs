// A small PNG reader for the tests: 8-bit greyscale, RGB or RGBA pictures, not interlaced,
// every row filter; gives RGBA bytes. The replay driver's screenshots and the browser's are
// both read with it, so that neither side's decoder decides what is compared.
import { inflateSync } from 'node:zlib';

const signature = [0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a];

export function decodePng(file) {
  if (!signature.every((byte, i) => file[i] === byte)) throw new Error('not a PNG file');
  let offset = 8;
  let header = null;
  const data = [];
  while (offset < file.length) {
    const length = file.readUInt32BE(offset);
    const type = file.toString('latin1', offset + 4, offset + 8);
    const body = file.subarray(offset + 8, offset + 8 + length);
    if (type === 'IHDR') {
      header = {
        width: body.readUInt32BE(0), height: body.readUInt32BE(4), depth: body[8],
        colour: body[9], interlace: body[12],
      };
    } else if (type === 'IDAT') {
      data.push(body);
    } else if (type === 'IEND') {
      break;
    }
    offset += 12 + length;
  }
  const channels = { 0: 1, 2: 3, 6: 4 }[header?.colour];
  if (!header || header.depth !== 8 || channels === undefined || header.interlace !== 0) {
    throw new Error('an unsupported PNG');
  }
  const { width, height } = header;
  const raw = inflateSync(Buffer.concat(data));
  const stride = width * channels;
  const rows = Buffer.alloc(stride * height);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    const line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    for (let x = 0; x < stride; ++x) {
      const left = x >= channels ? rows[y * stride + x - channels] : 0;
      const up = y > 0 ? rows[(y - 1) * stride + x] : 0;
      const upLeft = y > 0 && x >= channels ? rows[(y - 1) * stride + x - channels] : 0;
      let value = line[x];
      if (filter === 1) value += left;
      else if (filter === 2) value += up;
      else if (filter === 3) value += (left + up) >> 1;
      else if (filter === 4) {
        const p = left + up - upLeft;
        const pa = Math.abs(p - left);
        const pb = Math.abs(p - up);
        const pc = Math.abs(p - upLeft);
        value += pa <= pb && pa <= pc ? left : pb <= pc ? up : upLeft;
      } else if (filter !== 0) throw new Error('a PNG row filter ' + filter);
      rows[y * stride + x] = value & 0xff;
    }
  }
  const rgba = Buffer.alloc(width * height * 4);
  for (let i = 0; i < width * height; ++i) {
    const source = rows.subarray(i * channels, (i + 1) * channels);
    rgba[4 * i] = source[0];
    rgba[4 * i + 1] = channels === 1 ? source[0] : source[1];
    rgba[4 * i + 2] = channels === 1 ? source[0] : source[2];
    rgba[4 * i + 3] = channels === 4 ? source[3] : 255;
  }
  return { width, height, rgba };
}

// Each pixel of `picture` as a square of `scale` by `scale` pixels.
export function enlarge(picture, scale) {
  const width = picture.width * scale;
  const height = picture.height * scale;
  const rgba = Buffer.alloc(width * height * 4);
  for (let y = 0; y < height; ++y) {
    for (let x = 0; x < width; ++x) {
      const from = 4 * (Math.floor(y / scale) * picture.width + Math.floor(x / scale));
      picture.rgba.copy(rgba, 4 * (y * width + x), from, from + 4);
    }
  }
  return { width, height, rgba };
}

// Where two pictures of the same size differ first, as text, or null when they are equal.
export function firstDifference(actual, expected) {
  if (actual.width !== expected.width || actual.height !== expected.height) {
    return `size ${actual.width}x${actual.height}, expected ${expected.width}x${expected.height}`;
  }
  for (let i = 0; i < actual.width * actual.height; ++i) {
    for (let c = 0; c < 3; ++c) {
      if (actual.rgba[4 * i + c] !== expected.rgba[4 * i + c]) {
        const x = i % actual.width;
        const y = Math.floor(i / actual.width);
        const show = (p) => Array.from(p.rgba.subarray(4 * i, 4 * i + 3)).join(',');
        return `pixel ${x},${y} is ${show(actual)}, expected ${show(expected)}`;
      }
    }
  }
  return null;
}
