// bundle.mjs: the page as one file: index.html with its stylesheet, every module and the WebAssembly module's bytes inside it.
//
//   node web/bundle.mjs PAGE_DIR WASM_BUILD_DIR OUT_DIR
//
// A browser asks for the page, then for each module as it finds the import,
// a handful at a time; on a first visit those round trips were most of the
// time before the first picture. Here every module becomes a function scope
// inside one inline module script, in the order of its imports: a module's
// exports are the object its scope returns, and an import takes names from
// that object. Only the forms the page uses are understood (named imports
// from './x.js', a default import, `export` before a declaration, `export
// default name;`); anything else stops the build rather than changing meaning.
// The WebAssembly module goes into the page gzipped, as base64; the file is
// kept beside it for the loader to fetch should the page's copy fail.
import { copyFileSync, mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';

const [pageDir, wasmDir, outDir] = process.argv.slice(2);
if (!outDir) {
  console.error('usage: node web/bundle.mjs PAGE_DIR WASM_BUILD_DIR OUT_DIR');
  process.exit(2);
}

const sourceOf = (file) => readFileSync(join(file === 'vandrel.js' ? wasmDir : pageDir, file), 'utf8');
const scopeName = (file) => `module_${file.replace(/\.js$/, '').replace(/\W/g, '_')}`;
const fail = (file, why) => {
  console.error(`bundle.mjs: ${file}: ${why}`);
  process.exit(1);
};

const importLine = /^import\s+(?:\{([^}]*)\}|([A-Za-z_$][\w$]*))\s+from\s+'\.\/([\w.-]+\.js)';[ \t]*$/gm;
const exportDeclaration = /^export\s+((?:async\s+)?(?:function\*?|class|const|let|var)\s+([A-Za-z_$][\w$]*))/gm;
const exportDefault = /^export\s+default\s+([A-Za-z_$][\w$]*);[ \t]*$/gm;

// Every byte of the page is read before its first picture, so the page's own
// modules and stylesheet go in without comment lines, blank lines and
// indentation; the sources keep them. Only whole lines change, so a template
// literal over several lines, which would change with them, stops the build.
function compact(file, text, comment) {
  const lines = text.split('\n').map((line) => line.trim());
  if (lines.some((line) => (line.match(/`/g) ?? []).length % 2 === 1)) fail(file, 'a template literal over several lines');
  return lines.filter((line) => line !== '' && !comment.test(line)).join('\n');
}

// One module's text as a scope; its imports are bundled first.
const done = new Set();
const scopes = [];
function bundle(file, importedBy = []) {
  if (done.has(file)) return;
  if (importedBy.includes(file)) fail(file, `imports itself through ${importedBy.join(' → ')}`);
  let text = sourceOf(file).replace(/^\s*\/\/# sourceMappingURL=.*$/gm, '');
  if (file !== 'vandrel.js') text = compact(file, text, /^\/\//);
  const imports = [];
  text = text.replace(importLine, (_, names, defaultName, from) => {
    bundle(from, [...importedBy, file]);
    const taken = names ? `{ ${names.replace(/\s+as\s+/g, ': ').trim()} }` : `{ default: ${defaultName} }`;
    imports.push(`const ${taken} = ${scopeName(from)};`);
    return '';
  });
  const exported = [];
  text = text.replace(exportDeclaration, (_, declaration, name) => {
    exported.push(name);
    return declaration;
  });
  text = text.replace(exportDefault, (_, name) => {
    exported.push(`default: ${name}`);
    return '';
  });
  if (/^\s*(import|export)\b/m.test(text)) fail(file, 'an import or export the bundler does not know');
  scopes.push(`const ${scopeName(file)} = (() => {\n${imports.join('\n')}\n${text}\nreturn { ${exported.join(', ')} };\n})();\n`);
  done.add(file);
}
bundle('main.js');

// The script sits inside the page: a "</script" in it would end it early.
const script = scopes.join('\n').replace(/<\/script/gi, '<\\/script');
let html = readFileSync(join(pageDir, 'index.html'), 'utf8');
const replaceOnce = (pattern, by) => {
  if (!pattern.test(html)) fail('index.html', `no ${pattern}`);
  html = html.replace(pattern, by);
};
replaceOnce(/^<link rel="stylesheet" href="style.css">$/m, () => `<style>\n${compact('style.css', sourceOf('style.css'), /^\/\*.*\*\/$/)}\n</style>`);
replaceOnce(/^<script type="module" src="main.js"><\/script>$/m, () => `<script type="module">\n${script}</script>`);
const wasm = readFileSync(join(wasmDir, 'vandrel.wasm'));
const packed = gzipSync(wasm, { level: 9 });
replaceOnce(/^(\s*const embedded = )'';$/m, (_, start) => `${start}'${packed.toString('base64')}';`);
html = html.replace(/^<link rel="modulepreload" href="[\w.-]+">\n/gm, '');

// The page goes out in ASCII alone, every other character escaped as the
// part of the page that holds it reads escapes. One Japanese character turns
// the whole chunk of the page around it into two-byte text, which the browser
// decodes, scans and compiles more slowly, the module's base64 with it.
// A backslash before such a character would escape the escape instead.
if (/\\[^\x00-\x7f]/.test(html)) fail('index.html', 'a backslash before a character that is not ASCII');
const hexOf = (c) => c.codePointAt(0).toString(16);
const escapers = {
  script: (text) => text.replace(/[^\x00-\x7f]/g, (unit) => `\\u${hexOf(unit).padStart(4, '0')}`),
  style: (text) => text.replace(/[^\x00-\x7f]/gu, (c) => `\\${hexOf(c)} `),
  markup: (text) => text.replace(/[^\x00-\x7f]/gu, (c) => `&#x${hexOf(c)};`),
};
let ascii = '';
let at = 0;
for (const part of html.matchAll(/(<(script|style)\b[^>]*>)([\s\S]*?)(<\/\2>)/g)) {
  ascii += escapers.markup(html.slice(at, part.index)) + part[1] + escapers[part[2]](part[3]) + part[4];
  at = part.index + part[0].length;
}
html = ascii + escapers.markup(html.slice(at));

mkdirSync(outDir, { recursive: true });
writeFileSync(join(outDir, 'index.html'), html);
copyFileSync(join(wasmDir, 'vandrel.wasm'), join(outDir, 'vandrel.wasm'));
