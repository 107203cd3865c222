<?php
// Quenda control script: stores the files that Quenda uploads (data files, phone archives, presentation
// configuration, images, control files) in the data folders below the storage root; a phone archive is also
// unpacked into its data folder's "upload", so both display targets look the same to the display pages.
//
// Request (multipart/form-data POST): "datname" = name to store under, relative to the storage root
// (for example "/zkd20261209090000/upload/20261209090000_auslodat.txt"), "datei" = the file, "token" = the
// shared secret. Reply: exactly "FILE vorhanden!" when the file is stored, otherwise a short error text.
//
// The settings (storage root, token) are in einstellungen.php beside this script.

require_once __DIR__ . '/einstellungen.php';

function quenda_antwort(string $text, int $status = 200): void
{
    http_response_code($status);
    header('Content-Type: text/plain; charset=UTF-8');
    header('Cache-Control: no-store');
    header('X-Content-Type-Options: nosniff');
    echo $text;
    exit;
}

// Writes $inhalt (a string) or moves the uploaded file $hochgeladen to $ziel through a hidden temporary name
// in the same folder, so that readers never see a half-written file. False when it failed.
function quenda_ablegen(string $ordner, string $ziel, ?string $inhalt, ?string $hochgeladen): bool
{
    $temp = $ordner . DIRECTORY_SEPARATOR . '.quenda-' . bin2hex(random_bytes(8)) . '.tmp';
    $ok = $hochgeladen !== null ? @move_uploaded_file($hochgeladen, $temp)
        : @file_put_contents($temp, $inhalt) === strlen($inhalt);
    if (!$ok) {
        @unlink($temp);
        return false;
    }
    @chmod($temp, 0644);
    if (!@rename($temp, $ziel)) {
        @unlink($temp);
        return false;
    }
    return true;
}

// The entries of a phone archive as [index, name, size], after every entry has been checked; an error text
// when the archive is refused (then nothing of it may be written).
function quenda_archiv_pruefen(ZipArchive $zip, int $grenze)
{
    $liste = [];
    $summe = 0;
    for ($i = 0; $i < $zip->numFiles; $i++) {
        $stat = $zip->statIndex($i);
        if ($stat === false) {
            return 'Fehler: ZIP-Archiv fehlerhaft';
        }
        if (quenda_gestempelt($stat['name']) === null) {
            return 'Fehler: ZIP-Archiv enthält einen nicht erlaubten Namen';
        }
        $summe += $stat['size'];
        if ($stat['size'] > $grenze || $summe > 16 * $grenze) {
            return 'Fehler: Datei zu groß (ZIP-Eintrag ' . $stat['name'] . ')';
        }
        $liste[] = [$i, $stat['name'], $stat['size']];
    }
    return $liste;
}

if (($_SERVER['REQUEST_METHOD'] ?? '') !== 'POST') {
    quenda_antwort('Fehler: nur POST-Anfragen', 405);
}
if ($token === '' && $ohne_token_erlaubt !== true) {
    quenda_antwort('Fehler: in httppost.php ist kein Token gesetzt');
}
// Over post_max_size PHP drops the whole body, over upload_max_filesize the file: say so, rather than
// reporting the missing name or token.
$datei = $_FILES['datei'] ?? null;
$abgeschnitten = (int)($_SERVER['CONTENT_LENGTH'] ?? 0) > 0 && empty($_POST) && empty($_FILES);
if ($abgeschnitten || (is_array($datei) && in_array($datei['error'] ?? 0, [UPLOAD_ERR_INI_SIZE, UPLOAD_ERR_FORM_SIZE],
    true))) {
    quenda_antwort('Fehler: Datei zu groß (upload_max_filesize/post_max_size)');
}
if ($token !== '') {
    $gesendet = $_POST['token'] ?? '';
    if (!is_string($gesendet) || !hash_equals($token, $gesendet)) {
        quenda_antwort('Fehler: Token fehlt oder ist falsch');
    }
}
$ziel = quenda_zielname($_POST['datname'] ?? null);
if ($ziel === null) {
    quenda_antwort('Fehler: Dateiname oder Dateityp nicht erlaubt');
}
[$zkd, $unter, $name] = $ziel;
if (!is_array($datei) || !is_string($datei['tmp_name'] ?? null) || ($datei['error'] ?? -1) !== UPLOAD_ERR_OK
    || !is_uploaded_file($datei['tmp_name'])) {
    quenda_antwort('Fehler: keine Datei empfangen');
}
$grenze = (int)$groesste_datei > 0 ? (int)$groesste_datei : 64 * 1024 * 1024;
if ((int)$groesste_datei > 0 && filesize($datei['tmp_name']) > $grenze) {
    quenda_antwort('Fehler: Datei zu groß (höchstens ' . $grenze . ' Bytes)');
}

$wurzel = realpath($speicherwurzel);
if ($wurzel === false || !is_dir($wurzel)) {
    quenda_antwort('Fehler: Speicherort nicht vorhanden');
}
// The whole path is checked before anything is created: no folder on the way may be a link (it could lead
// out of the storage root) or something other than a folder.
$ordner = $wurzel;
$anlegen = [];
foreach ($unter === '' ? [$zkd] : [$zkd, $unter] as $teil) {
    $ordner .= DIRECTORY_SEPARATOR . $teil;
    if (is_link($ordner)) {
        quenda_antwort('Fehler: Dateiname nicht erlaubt');
    }
    if (!is_dir($ordner)) {
        if (file_exists($ordner)) {
            quenda_antwort('Fehler: Ordner kann nicht angelegt werden');
        }
        $anlegen[] = $ordner;
    }
}
$ziel = $ordner . DIRECTORY_SEPARATOR . $name;
if (is_dir($ziel)) {
    quenda_antwort('Fehler: Datei kann nicht gespeichert werden');
}

$zip = null;
$eintraege = [];
if ($unter === 'upload' && preg_match(QUENDA_ARCHIV, $name)) {
    if (!class_exists('ZipArchive')) {
        quenda_antwort('Fehler: ZIP-Archive können nicht entpackt werden (PHP-Erweiterung zip fehlt)');
    }
    $zip = new ZipArchive();
    if ($zip->open($datei['tmp_name'], defined('ZipArchive::RDONLY') ? ZipArchive::RDONLY : 0) !== true) {
        quenda_antwort('Fehler: ZIP-Archiv fehlerhaft');
    }
    $eintraege = quenda_archiv_pruefen($zip, $grenze);
    if (is_string($eintraege)) {
        quenda_antwort($eintraege);
    }
}

foreach ($anlegen as $neu) {
    if (!@mkdir($neu, 0755) && !is_dir($neu)) {
        quenda_antwort('Fehler: Ordner kann nicht angelegt werden');
    }
    @chmod($neu, 0755);
}
$echt = realpath($ordner);
if ($echt === false || !quenda_unter($echt, $wurzel) || $echt === $wurzel) {
    quenda_antwort('Fehler: Dateiname nicht erlaubt');
}

foreach ($eintraege as [$index, $eintrag, $groesse]) {
    $inhalt = $zip->getFromIndex($index);
    if (!is_string($inhalt) || strlen($inhalt) !== $groesse) {
        quenda_antwort('Fehler: ZIP-Archiv fehlerhaft');
    }
    if (!quenda_ablegen($ordner, $ordner . DIRECTORY_SEPARATOR . $eintrag, $inhalt, null)) {
        quenda_antwort('Fehler: Datei kann nicht gespeichert werden');
    }
}
if ($zip !== null) {
    $zip->close();
}
if (!quenda_ablegen($ordner, $ziel, null, $datei['tmp_name'])) {
    quenda_antwort('Fehler: Datei kann nicht gespeichert werden');
}
clearstatcache();
if (is_file($ziel)) {
    quenda_antwort('FILE vorhanden!');
}
quenda_antwort('Fehler: Datei nicht vorhanden');
