// Runs the Khronos glTF validator on each file named and prints one line per file:
// "<file> errors E warnings W triangles T vertices V", then every error and warning.
const fs = require('fs');
const path = require('path');
const validator = require('gltf-validator');

async function validate(file) {
  const report = await validator.validateBytes(new Uint8Array(fs.readFileSync(file)), {
    uri: file,
    maxIssues: 0,
    externalResourceFunction: (uri) => new Promise((resolve, reject) => {
      try {
        resolve(new Uint8Array(fs.readFileSync(path.resolve(path.dirname(file), decodeURIComponent(uri)))));
      } catch (e) {
        reject(e.toString());
      }
    }),
  });
  const info = report.info || {};
  console.log(`${file} errors ${report.issues.numErrors} warnings ${report.issues.numWarnings} ` +
              `triangles ${info.totalTriangleCount} vertices ${info.totalVertexCount}`);
  for (const m of report.issues.messages)
    if (m.severity <= 1) console.log(`  ${m.code} ${m.message} ${m.pointer || ''}`);
}

(async () => {
  for (const file of process.argv.slice(2)) await validate(file);
})().catch((e) => { console.error(e); process.exit(1); });
