#!/usr/bin/env bash
# Remakes the sample archives of other ZIP tools (needs zip, python3, 7z and bsdtar):
#   tests/core/content/data/zip/make-samples.sh <empty work folder>
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
cd "$1"
mkdir -p Presets
printf '<?xml version="1.0" encoding="UTF-8"?>\n<Preset name="Alpha" application="Grindel 2" tags="Character:Warm"><Values><Value id="2" value="5"/></Values></Preset>\n' > Presets/Alpha.grprs2
printf '<?xml version="1.0" encoding="UTF-8"?>\n<Preset name="Beta" application="Grindel 2"><Values><Value id="2" value="7"/></Values></Preset>\n' > Presets/Beta.grprs2
echo "read me" > notes.txt
touch -d '2024-05-01 12:00' Presets/* notes.txt
zip -q -r -X infozip.zip Presets notes.txt
zip -q -r -X -fz infozip-fz.zip Presets notes.txt
zip -q -r -X - Presets notes.txt | cat > infozip-stream.zip
python3 - <<'PY'
import zipfile
names = ['Presets/Alpha.grprs2', 'Presets/Beta.grprs2', 'notes.txt']
with zipfile.ZipFile('python.zip', 'w', zipfile.ZIP_DEFLATED) as z:
    for n in names: z.write(n)
with zipfile.ZipFile('python-zip64.zip', 'w', zipfile.ZIP_DEFLATED) as z:
    for n in names:
        with open(n, 'rb') as f, z.open(zipfile.ZipInfo.from_file(n), 'w', force_zip64=True) as o: o.write(f.read())
PY
7z a -tzip -bd 7z.zip Presets notes.txt > /dev/null
7z a -tzip -bd -mm=LZMA 7z-lzma.zip Presets notes.txt > /dev/null
bsdtar --format zip -cf bsdtar.zip Presets notes.txt
head -c 3000 /dev/urandom > stub.bin
cat stub.bin infozip.zip > sfx-prefix.zip
cp sfx-prefix.zip sfx-adjusted.zip && zip -q -A sfx-adjusted.zip
zip -q -r -X -P secret encrypted.zip Presets notes.txt
python3 -c "print('<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Preset name=\"Gamma\" application=\"Grindel 2\"><Values>' + ''.join('<Value id=\"%d\" value=\"1\"/>' % i for i in range(2, 60)) + '</Values></Preset>')" > Presets/Gamma.grprs2
zip -q -X -Z bzip2 bzip2.zip Presets/Gamma.grprs2 Presets/Beta.grprs2
zip -q -r -X -0 stored.zip Presets/Alpha.grprs2 Presets/Beta.grprs2 notes.txt
python3 -c "d = bytearray(open('stored.zip', 'rb').read()); i = d.find(b'value=\"5\"'); d[i + 7] = ord('9'); open('damaged-crc.zip', 'wb').write(d)"
cp infozip.zip infozip-fz.zip infozip-stream.zip python.zip python-zip64.zip 7z.zip 7z-lzma.zip bsdtar.zip \
   sfx-prefix.zip sfx-adjusted.zip encrypted.zip bzip2.zip damaged-crc.zip "$here/"
