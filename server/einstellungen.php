<?php
// Settings of Quenda's server scripts, and the name rules they share: httppost.php stores what Quenda
// uploads, daten.php serves it to the display pages in anzeige/. Edit the settings here, or set the
// variables in a wrapper script before it includes httppost.php or daten.php.

// ---- Settings ----

// Folder below which the received files are stored, in the data folders "zkd<name>" (with "upload" and
// "images"), as in directory mode. It must exist and be writable by the webserver. Default: this folder.
$speicherwurzel = $speicherwurzel ?? __DIR__;

// Where daten.php finds the phone target's data folders, when that target is delivered to another folder
// than the hall screens (directory mode into two folders). Default: the same storage root.
$speicherwurzel_handy = $speicherwurzel_handy ?? $speicherwurzel;

// Shared secret: uploads without exactly this "token" are refused. Enter the same value as "Token" in
// Quenda's "Webserver Ablage". Without a token every upload is refused, unless the next switch is on.
$token = $token ?? '';

// true: accept uploads without a token. Anyone who finds httppost.php can then store files here; only for a
// server that nobody else can reach.
$ohne_token_erlaubt = $ohne_token_erlaubt ?? false;

// Largest file httppost.php stores, in bytes (also each entry of a phone archive); 0: only PHP's own limits
// (upload_max_filesize, post_max_size) apply.
$groesste_datei = $groesste_datei ?? 0;

// ---- End of settings ----

// The kinds of file Quenda sends. Anything a webserver could execute or interpret is never stored.
const QUENDA_ERLAUBT = ['txt', 'zip', 'cfg', 'xml', 'png', 'jpg', 'jpeg', 'gif', 'bmp', 'webp'];
const QUENDA_BILDER = ['png' => 'image/png', 'jpg' => 'image/jpeg', 'jpeg' => 'image/jpeg', 'gif' => 'image/gif',
    'bmp' => 'image/bmp', 'webp' => 'image/webp'];
// Never allowed as an inner part of a name either ("bild.php.png"): some servers run such files.
const QUENDA_GEFAEHRLICH = '/^(php\d*|phtml|pht|phar|phps|inc|cgi|fcgi|pl|py|rb|sh|bash|asp|aspx|ashx|asmx|jsp|'
    . 'jspx|shtml|shtm|stm|html?|xhtml|js|mjs|svg|htaccess|htpasswd|ini|exe|dll|com|bat|cmd|vbs|ps1)\z/i';
// The data files of the display pages, as Quenda names them (ids padded to 4 digits, group, round and table
// numbers to 2; longer numbers are written whole); on the targets with a 14-digit stamp and "_" in front.
const QUENDA_DATEIMUSTER = '(auslodat|auslodatpocko|spiele_\d{4,}_\d{2,}_\d{2,}|tabelle_\d{4,}_\d{2,}|'
    . 'starter_\d{4,}_\d{2,}|spielraster_\d{4,}_\d{2,}|kofeld_\d{4,}|tabspiele_\d{4,}_\d{2,}|teilnehmer_\d{4,}|'
    . 'tischbelegung_\d{4,}|tischspiel_\d{4,}_\d{2,}|meldung_\d\d_\d\d_\d\d_\d\d)\.txt';
const QUENDA_DATENDATEI = '/^' . QUENDA_DATEIMUSTER . '\z/';
const QUENDA_GESTEMPELT = '/^\d{14}_' . QUENDA_DATEIMUSTER . '\z/';
const QUENDA_ARCHIV = '/^\d{14}_pockoupload\.zip\z/';
// Longest folder-name suffix, in bytes; Quenda refuses longer ones in "Webserver Ablage".
const QUENDA_ZKD_LAENGE = 120;

// A data folder's name: "zkd" and Quenda's suffix "dbzkd" by the program's rule: not empty, no blanks at its
// ends, none of \ / : * ? " < > |, no control characters, no "..".
function quenda_zkd_gueltig($ordner): bool
{
    if (!is_string($ordner) || strncmp($ordner, 'zkd', 3) !== 0) {
        return false;
    }
    $name = substr($ordner, 3);
    return $name !== '' && strlen($name) <= QUENDA_ZKD_LAENGE && preg_match('//u', $name) === 1
        && strpos($name, '..') === false && !preg_match('/[\\\\\/:*?"<>|\x00-\x1f\x7f]/', $name)
        && trim($name) === $name;
}

// A bare file name of a kind Quenda sends: no hidden name, no blanks at its ends, an allowed extension and
// no dangerous inner part; ".xml" only as config_quenda.xml.
function quenda_dateiname_harmlos($name): bool
{
    if (!is_string($name) || $name === '' || $name[0] === '.' || trim($name) !== $name
        || preg_match('//u', $name) !== 1 || preg_match('/[\\\\\/:\x00-\x1f\x7f]/', $name)) {
        return false;
    }
    $punktteile = explode('.', $name);
    $endung = strtolower(end($punktteile));
    if (count($punktteile) < 2 || !in_array($endung, QUENDA_ERLAUBT, true)) {
        return false;
    }
    if ($endung === 'xml' && $name !== 'config_quenda.xml') {
        return false;
    }
    foreach (array_slice($punktteile, 1) as $teil) {
        if (preg_match(QUENDA_GEFAEHRLICH, $teil)) {
            return false;
        }
    }
    return true;
}

// The stored name of an upload as [data folder, "" | "upload" | "images", file name], or null when it is not
// acceptable. Quenda's names begin with one "/" (the storage root) and have this layout only.
function quenda_zielname($name): ?array
{
    if (!is_string($name) || $name === '' || strlen($name) > 1024 || preg_match('//u', $name) !== 1) {
        return null;
    }
    if (strpos($name, '..') !== false || preg_match('/[\\\\:\x00-\x1f\x7f]/', $name)) {
        return null;
    }
    if ($name[0] === '/') {
        $name = substr($name, 1);
    }
    $teile = explode('/', $name);
    if (count($teile) < 2 || count($teile) > 3 || !quenda_zkd_gueltig($teile[0])) {
        return null;
    }
    $unter = count($teile) === 3 ? $teile[1] : '';
    $datei = end($teile);
    if (($unter !== '' && $unter !== 'upload' && $unter !== 'images') || !quenda_dateiname_harmlos($datei)) {
        return null;
    }
    if ($datei === 'config_quenda.xml' && $unter !== '') {
        return null;
    }
    return [$teile[0], $unter, $datei];
}

// [stamp, data file name] of a stamped data file's name, or null.
function quenda_gestempelt(string $name): ?array
{
    return preg_match(QUENDA_GESTEMPELT, $name) ? [substr($name, 0, 14), substr($name, 15)] : null;
}

// True when $pfad is $wurzel itself or lies below it (both resolved).
function quenda_unter(string $pfad, string $wurzel): bool
{
    return $pfad === $wurzel || strpos($pfad . DIRECTORY_SEPARATOR, rtrim($wurzel, DIRECTORY_SEPARATOR)
        . DIRECTORY_SEPARATOR) === 0;
}
