// Quenda display pages: chooses the hall screen or the phone page by the address.
"use strict";

(function (Q) {
    const zkd = Q.param("zkd");
    const wurzel = document.getElementById("anzeige");
    if (!zkd) {
        wurzel.replaceChildren(Q.el("p", "hinweis", "Aufruf: ?zkd=NAME&bs=1 (Bildschirm) oder ?zkd=NAME&handy=1 (Handy)"));
    } else if (Q.param("handy") === "1") {
        Q.handy(zkd);
    } else {
        document.body.classList.add("halle");
        Q.halle(zkd, parseInt(Q.param("bs"), 10) || 1);
    }
})(window.Quenda);
