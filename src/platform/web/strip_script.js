// Writes a page script without its comments, indentation and blank lines, so that the page
// downloads less; the code itself is left as it was written (no renaming, no rewriting), and
// every line break stays where a statement may end on it.
//   node strip_script.js INPUT OUTPUT     (acorn, Debian's node-acorn, through NODE_PATH)
'use strict';
const acorn = require('acorn');
const fs = require('fs');

const [input, output] = process.argv.slice(2);
const source = fs.readFileSync(input, 'utf8');
const comments = [];
const tokens = [];
acorn.parse(source, { ecmaVersion: 'latest', onComment: comments, onToken: tokens });

// Indentation inside a template literal or a continued string is its text: such a script is
// copied as it is.
const textAcrossLines = tokens.some((token) => token.type !== acorn.tokTypes.regexp &&
                                               source.slice(token.start, token.end).includes('\n'));
let stripped = source;
if (!textAcrossLines) {
  let kept = '';
  let from = 0;
  for (const comment of comments) {
    kept += source.slice(from, comment.start);
    // A block comment between two tokens still parts them.
    if (comment.type === 'Block') kept += ' ';
    from = comment.end;
  }
  kept += source.slice(from);
  stripped = kept.split('\n').map((line) => line.trim()).filter((line) => line !== '').join('\n') +
             '\n';
}
// What is written must still be a script, or the page would not start.
acorn.parse(stripped, { ecmaVersion: 'latest' });
fs.writeFileSync(output, stripped);
