<?php
// Data endpoint of the display pages in anzeige/: serves what Quenda delivered into one data folder
// "zkd<name>" below the storage root (see einstellungen.php), and nothing else.
//
//   daten.php?zkd=NAME[&handy=1][&seit=STAMP]  JSON: the newest version of every data file in upload/ (by the
//       14-digit stamp in front of its name) with that stamp and its text in UTF-8; with seit only the files
//       whose newest stamp is seit or later. "stand" is the newest stamp of all, to pass as seit next time
//       (the files of that very second come again: a file of the same second may still be on its way).
//       "steuerung" tells refresh.cfg, logmodus.cfg and config_quenda.xml apart by a mark that changes with
//       every new copy, and gives the first line of logmodus.cfg.
//   daten.php?zkd=NAME&art=konfiguration        config_quenda.xml as it is.
//   daten.php?zkd=NAME&art=bild&name=FILE       an image of images/.
// handy=1 reads the phone target's storage root ($speicherwurzel_handy).

require_once __DIR__ . '/einstellungen.php';

function quenda_kopf(string $art): void
{
    header('Content-Type: ' . $art);
    header('Cache-Control: no-store');
    header('X-Content-Type-Options: nosniff');
}

function quenda_json($wert, int $status = 200): void
{
    http_response_code($status);
    quenda_kopf('application/json; charset=UTF-8');
    echo json_encode($wert, JSON_UNESCAPED_UNICODE | JSON_UNESCAPED_SLASHES);
    exit;
}

function quenda_fehler(string $text, int $status): void
{
    quenda_json(['fehler' => $text], $status);
}

// Windows-1252 to UTF-8, by table: no extension needed. The five bytes 1252 leaves undefined (Quenda never
// writes them) become U+FFFD.
function quenda_utf8(string $text): string
{
    static $tabelle = null;
    if (preg_match('/[\x80-\xff]/', $text) !== 1) {
        return $text;
    }
    if ($tabelle === null) {
        $c1 = [0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039,
            0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC,
            0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178];
        $tabelle = [];
        for ($b = 0x80; $b <= 0xff; $b++) {
            $z = $b < 0xa0 ? $c1[$b - 0x80] : $b;
            $tabelle[chr($b)] = $z < 0x800 ? chr(0xc0 | ($z >> 6)) . chr(0x80 | ($z & 0x3f))
                : chr(0xe0 | ($z >> 12)) . chr(0x80 | (($z >> 6) & 0x3f)) . chr(0x80 | ($z & 0x3f));
        }
    }
    return strtr($text, $tabelle);
}

// A plain file (no link) of the data folder, or null.
function quenda_datei(string $pfad): ?string
{
    return !is_link($pfad) && is_file($pfad) ? $pfad : null;
}

// Changes with every new copy of a file (replaced by a rename: a new inode, mostly a new time as well).
function quenda_kennung(string $pfad): ?string
{
    if (quenda_datei($pfad) === null) {
        return null;
    }
    $s = @stat($pfad);
    return $s === false ? null : $s['mtime'] . '-' . $s['ctime'] . '-' . $s['ino'] . '-' . $s['size'];
}

$methode = $_SERVER['REQUEST_METHOD'] ?? 'GET';
if ($methode !== 'GET' && $methode !== 'HEAD') {
    quenda_fehler('nur GET-Anfragen', 405);
}
$name = $_GET['zkd'] ?? null;
if (!is_string($name) || !quenda_zkd_gueltig('zkd' . $name)) {
    quenda_fehler('Datenordner nicht erlaubt', 400);
}
$wurzel = realpath(($_GET['handy'] ?? '') === '1' ? $speicherwurzel_handy : $speicherwurzel);
$ordner = $wurzel === false ? false : $wurzel . DIRECTORY_SEPARATOR . 'zkd' . $name;
if ($ordner === false || is_link($ordner) || !is_dir($ordner)) {
    quenda_fehler('Datenordner nicht vorhanden', 404);
}
$art = $_GET['art'] ?? 'daten';

if ($art === 'konfiguration') {
    $pfad = quenda_datei($ordner . DIRECTORY_SEPARATOR . 'config_quenda.xml');
    if ($pfad === null) {
        quenda_fehler('config_quenda.xml nicht vorhanden', 404);
    }
    quenda_kopf('application/xml; charset=UTF-8');
    readfile($pfad);
    exit;
}

if ($art === 'bild') {
    $bild = $_GET['name'] ?? null;
    $teile = is_string($bild) ? explode('.', $bild) : [];
    $endung = strtolower(end($teile));
    if (!quenda_dateiname_harmlos($bild) || !isset(QUENDA_BILDER[$endung])) {
        quenda_fehler('Bildname nicht erlaubt', 400);
    }
    $images = $ordner . DIRECTORY_SEPARATOR . 'images';
    $pfad = is_link($images) ? null : quenda_datei($images . DIRECTORY_SEPARATOR . $bild);
    if ($pfad === null) {
        quenda_fehler('Bild nicht vorhanden', 404);
    }
    quenda_kopf(QUENDA_BILDER[$endung]);
    header("Content-Security-Policy: default-src 'none'");
    readfile($pfad);
    exit;
}

if ($art !== 'daten') {
    quenda_fehler('unbekannte Art', 400);
}
$seit = $_GET['seit'] ?? '';
if (!is_string($seit) || ($seit !== '' && (strlen($seit) !== 14 || !ctype_digit($seit)))) {
    quenda_fehler('seit: 14 Ziffern erwartet', 400);
}

// The newest stamp of every data file; other names in upload/ (archives, temporary files) are passed over.
$neueste = [];
$upload = $ordner . DIRECTORY_SEPARATOR . 'upload';
$namen = !is_link($upload) && is_dir($upload) ? scandir($upload, SCANDIR_SORT_NONE) : [];
// One pattern over the whole listing: a day leaves tens of thousands of older versions there.
foreach (preg_grep(QUENDA_GESTEMPELT, $namen === false ? [] : $namen) as $eintrag) {
    $stempel = substr($eintrag, 0, 14);
    $datei = substr($eintrag, 15);
    if (!isset($neueste[$datei]) || strcmp($stempel, $neueste[$datei]) > 0) {
        $neueste[$datei] = $stempel;
    }
}
ksort($neueste, SORT_STRING);
$stand = '';
$dateien = [];
foreach ($neueste as $datei => $stempel) {
    if (strcmp($stempel, $stand) > 0) {
        $stand = $stempel;
    }
    if ($seit !== '' && strcmp($stempel, $seit) < 0) {
        continue;
    }
    $pfad = quenda_datei($upload . DIRECTORY_SEPARATOR . $stempel . '_' . $datei);
    $inhalt = $pfad === null ? false : @file_get_contents($pfad);
    if ($inhalt !== false) {
        $dateien[$datei] = ['stempel' => $stempel, 'inhalt' => quenda_utf8($inhalt)];
    }
}
$logmodus = quenda_datei($ordner . DIRECTORY_SEPARATOR . 'logmodus.cfg');
$zeile = $logmodus === null ? '' : (string)@file_get_contents($logmodus, false, null, 0, 64);
quenda_json([
    'zkd' => $name,
    'stand' => $stand,
    'dateien' => (object)$dateien,
    'steuerung' => [
        'refresh' => quenda_kennung($ordner . DIRECTORY_SEPARATOR . 'refresh.cfg'),
        'logmodus' => $logmodus === null ? '' : trim(strtok($zeile . "\n", "\r\n")),
        'konfiguration' => quenda_kennung($ordner . DIRECTORY_SEPARATOR . 'config_quenda.xml'),
    ],
]);
