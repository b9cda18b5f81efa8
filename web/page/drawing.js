// drawing.js: the game's picture painted on the canvas, sharp at any device pixel ratio.

const Lines = 1;
const Square = 2;

// The picture is laid out in CSS pixels, as the game sees it; the canvas
// holds device pixels. Every edge falls on a device pixel, so the grid, the
// axes and the path are as crisp as the window's on any screen.
export class Painter {
  constructor(canvas) {
    this.canvas = canvas;
    this.context = canvas.getContext('2d', { alpha: false });
    this.ratio = 1;
    this.size = null;   // the picture's CSS size and pixel ratio the canvas has
  }

  // The canvas for a picture of width × height CSS pixels at a device pixel
  // ratio; false when it already is. Setting a canvas's size, even to the
  // same, clears it and makes its pixels anew.
  resize(width, height, ratio) {
    const size = `${width} ${height} ${ratio}`;
    if (size === this.size) return false;
    this.size = size;
    this.ratio = ratio;
    this.canvas.width = Math.round(width * ratio);
    this.canvas.height = Math.round(height * ratio);
    this.canvas.style.width = `${width}px`;
    this.canvas.style.height = `${height}px`;
    return true;
  }

  device(cssPixel) {
    return Math.round(cssPixel * this.ratio);
  }

  // A run of pixels [first, last] in CSS pixels as device pixels: [start, end).
  span(first, last) {
    return [this.device(first), this.device(last + 1)];
  }

  clear() {
    this.context.fillStyle = '#ffffff';
    this.context.fillRect(0, 0, this.canvas.width, this.canvas.height);
  }

  paint(commands) {
    const c = this.context;
    this.clear();
    for (let i = 0; i < commands.length;) {
      if (commands[i] === Lines) {
        const n = commands[i + 4];
        this.lines(commands, i + 5, n, commands[i + 1], commands[i + 2], commands[i + 3] !== 0);
        i += 5 + 4 * n;
      } else if (commands[i] === Square) {
        const [, colour, half, x, y] = commands.subarray(i, i + 5);
        c.fillStyle = cssColour(colour);
        const [left, right] = this.span(x - half, x + half);
        const [top, bottom] = this.span(y - half, y + half);
        c.fillRect(left, top, right - left, bottom - top);
        i += 5;
      } else {
        break;
      }
    }
  }

  // Lines along an axis are filled as the window's image fills them: `width`
  // pixels across, centred on odd widths, with a square cap of half the width
  // beyond each end (closing the corners of a thick path); by XOR from the
  // lower end up to, not including, the higher one. A slanted line (a tail
  // turning in a move shown as motion) is stroked.
  lines(commands, at, n, colour, width, xor) {
    const c = this.context;
    c.fillStyle = c.strokeStyle = cssColour(colour);
    const lo = Math.trunc(width / 2);
    const rects = [];
    for (let k = 0; k < n; k += 1) {
      const [x1, y1, x2, y2] = commands.subarray(at + 4 * k, at + 4 * k + 4);
      if (x1 === x2 && y1 === y2) continue;
      if (x1 !== x2 && y1 !== y2) {
        this.slanted(x1, y1, x2, y2, width);
        continue;
      }
      const vertical = x1 === x2;
      const middle = vertical ? x1 : y1;
      const from = vertical ? Math.min(y1, y2) : Math.min(x1, x2);
      const to = vertical ? Math.max(y1, y2) : Math.max(x1, x2);
      const across = this.span(middle - lo, middle - lo + width - 1);
      const along = xor ? this.span(from, to - 1) : this.span(from - lo, to - lo + width - 1);
      rects.push(vertical ? [across[0], along[0], across[1], along[1]] : [along[0], across[0], along[1], across[1]]);
    }
    for (const [left, top, right, bottom] of rects) {
      if (xor) this.xorRect(left, top, right, bottom, colour);
      else c.fillRect(left, top, right - left, bottom - top);
    }
  }

  slanted(x1, y1, x2, y2, width) {
    const c = this.context;
    const r = this.ratio;
    c.lineWidth = width * r;
    c.lineCap = 'square';
    c.beginPath();
    c.moveTo((x1 + 0.5) * r, (y1 + 0.5) * r);
    c.lineTo((x2 + 0.5) * r, (y2 + 0.5) * r);
    c.stroke();
  }

  // The pixels' colour bits XORed with the colour, as the window's pen in XOR mode.
  xorRect(left, top, right, bottom, colour) {
    const x = Math.max(left, 0);
    const y = Math.max(top, 0);
    const w = Math.min(right, this.canvas.width) - x;
    const h = Math.min(bottom, this.canvas.height) - y;
    if (w <= 0 || h <= 0) return;
    const image = this.context.getImageData(x, y, w, h);
    const px = image.data;
    const bits = [(colour >> 16) & 0xff, (colour >> 8) & 0xff, colour & 0xff];
    for (let p = 0; p < px.length; p += 4) {
      px[p] ^= bits[0];
      px[p + 1] ^= bits[1];
      px[p + 2] ^= bits[2];
    }
    this.context.putImageData(image, x, y);
  }
}

function cssColour(rgb) {
  return `#${rgb.toString(16).padStart(6, '0')}`;
}
