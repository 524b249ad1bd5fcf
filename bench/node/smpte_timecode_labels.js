// Frame counts to 29.97 drop-frame labels through the npm package smpte-timecode: one count a
// line on standard input, one label a line on standard output, as `lumo convert --from Dec
// --to 29.97df` does. Run by compare.sh.
'use strict';
const Timecode = require('smpte-timecode');

const input = require('fs').readFileSync(0, 'latin1');
const labels = [];
for (const line of input.split('\n')) {
  if (line === '') continue;
  labels.push(Timecode(Number(line), 29.97, true).toString());
}
process.stdout.write(labels.join('\n') + '\n');
