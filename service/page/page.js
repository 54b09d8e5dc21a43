// The translation page: lists the installed language pairs of the local
// translation server, and translates the text box into the chosen target.
// The program drives it through the element ids text, btn, translation, fromto,
// version, download and selto; a person can use it the same way.
"use strict";

(function () {
    const config = window.QUILLORA_PAGE || {};
    const languages = window.QUILLORA_LANGUAGES;
    const guess = window.QUILLORA_GUESS;
    const server = "http://127.0.0.1:" + Number(config.apyPort || 2738);
    const retryMs = 3000;
    // Texts up to this length are sent as GET, which the server answers a few
    // milliseconds sooner than a POST; longer ones as POST, which has no length limit.
    const longestGet = 1000;
    // How much likelier (log-likelihood) the guessed language must be than the next
    // for its pair alone to be asked; short texts rarely get there.
    const sureMargin = 20;
    // How many languages compete where the guess is unsure: more for one or two
    // words, which tell the guess little and cost the server little to translate.
    const unsureContenders = 3;
    const unsureContendersForAWord = 5;
    const byId = function (id) { return document.getElementById(id); };

    let pairs = [];        // {from, to, server} with short codes
    let requestNumber = 0; // answers to older requests are dropped

    function setStatus(text, isProblem) {
        const status = byId("status");
        status.textContent = text;
        status.classList.toggle("problem", !!isProblem);
    }

    // "dir" is "en" followed by the target code.
    function targetFromAddress() {
        const dir = new URLSearchParams(location.search).get("dir") || "";
        return dir.startsWith("en") ? dir.slice(2) : "";
    }

    async function ask(path, params, post) {
        const controller = new AbortController();
        const timer = setTimeout(function () { controller.abort(); }, config.requestTimeoutMs || 8000);
        const body = new URLSearchParams(params);
        let response;
        try {
            // Never from the browser's cache: pairs installed since show at the next load.
            response = post
                ? await fetch(server + path, { method: "POST", body: body, signal: controller.signal })
                : await fetch(server + path + "?" + body.toString(), { signal: controller.signal, cache: "no-store" });
        } catch (error) {
            throw new Error("The translation server at " + server + " cannot be reached.");
        } finally {
            clearTimeout(timer);
        }
        let answer = null;
        try { answer = await response.json(); } catch (error) { answer = null; }
        const failed = !response.ok || !answer || answer.status === "error" ||
            (answer.responseStatus !== undefined && answer.responseStatus !== 200);
        if (failed) {
            const why = (answer && (answer.explanation || answer.message || answer.responseDetails)) ||
                "HTTP status " + response.status;
            throw new Error("The translation server answered with an error: " + why);
        }
        return answer;
    }

    function addOption(list, value, text, disabled) {
        const option = document.createElement("option");
        option.value = value;
        option.textContent = text;
        option.disabled = !!disabled;
        list.appendChild(option);
    }

    function byName(a, b) {
        return languages.readableName(a).localeCompare(languages.readableName(b));
    }

    function fillPickers() {
        const targets = Array.from(new Set(pairs.map(function (p) { return p.to; }))).sort(byName);
        const sources = Array.from(new Set(pairs.map(function (p) { return p.from; }))).sort(byName);
        const selto = byId("selto");
        const selfrom = byId("selfrom");
        const chosen = selto.value || targetFromAddress();
        selto.textContent = "";
        addOption(selto, "auto", "Detect: into English, or from English", false);
        addOption(selto, "separator", "──────────", true);
        targets.forEach(function (code) { addOption(selto, code, languages.readableName(code), false); });
        selto.value = targets.indexOf(chosen) >= 0 ? chosen : "auto";
        const source = selfrom.value;
        selfrom.textContent = "";
        addOption(selfrom, "auto", "Detect language", false);
        sources.forEach(function (code) { addOption(selfrom, code, languages.readableName(code), false); });
        selfrom.value = sources.indexOf(source) >= 0 ? source : "auto";
    }

    // The text box exists only while the server is known to work, so that the
    // program counts the page as ready only then.
    function showTextBox() {
        if (byId("text"))
            return;
        const box = document.createElement("textarea");
        box.id = "text";
        box.placeholder = "Type or paste the text to translate (Ctrl+Enter translates)";
        box.addEventListener("keydown", function (event) {
            if (event.key === "Enter" && event.ctrlKey)
                translate();
        });
        byId("input").appendChild(box);
    }
    // Whoever brings the page to the keyboard comes to type: the keys go to the box.
    window.addEventListener("focus", function () {
        const box = byId("text");
        if (box && document.activeElement !== box)
            box.focus();
    });

    async function loadPairs() {
        try {
            const answer = await ask("/listPairs", {}, false);
            // Sorted: the server lists its pairs in no fixed order.
            pairs = (answer.responseData || []).map(function (p) {
                return {
                    from: languages.shortCode(p.sourceLanguage),
                    to: languages.shortCode(p.targetLanguage),
                    server: p.sourceLanguage + "|" + p.targetLanguage
                };
            }).sort(function (a, b) { return a.server < b.server ? -1 : a.server > b.server ? 1 : 0; });
            if (pairs.length === 0)
                throw new Error("The translation server has no language pairs installed.");
            fillPickers();
            showTextBox();
            setStatus("Ready.", false);
        } catch (error) {
            setStatus(error.message + " Trying again…", true);
            setTimeout(loadPairs, retryMs);
        }
    }

    function isPlain(code) { return code.indexOf("_") < 0; }
    function baseOf(code) { return code.split("_")[0]; }

    // The pairs worth trying, in the order ties are settled: from English first,
    // then from the target language, then the rest.
    function candidates(source, target) {
        const plain = pairs.filter(function (p) { return isPlain(p.from) && isPlain(p.to); });
        if (source !== "auto" && target !== "auto")
            return pairs.filter(function (p) { return p.from === source && p.to === target; });
        if (source !== "auto") {
            const fromSource = plain.filter(function (p) { return p.from === source; });
            return fromSource.filter(function (p) { return p.to === "en"; })
                .concat(fromSource.filter(function (p) { return p.to !== "en"; }));
        }
        if (target === "auto")
            return plain.filter(function (p) { return p.to === "en"; })
                .concat(plain.filter(function (p) { return p.to !== "en"; }));
        // Text in a language with no pair into the target (the target language itself
        // among them) goes into English instead.
        const into = pairs.filter(function (p) { return p.to === target; });
        const covered = new Set(into.map(function (p) { return p.from; }));
        const intoEnglish = plain.filter(function (p) { return p.to === "en" && !covered.has(p.from); });
        const rank = function (p) { return p.from === "en" ? 0 : p.from === baseOf(target) ? 1 : 2; };
        return into.concat(intoEnglish).sort(function (a, b) { return rank(a) - rank(b); });
    }

    // The pairs to ask for this text: the one whose source language the guess is
    // sure of, or else the first pair of each of the likeliest few languages, for the
    // unknown-word count to settle. Never more than a few, however many pairs are
    // installed: requests asked at once share the machine's cores, so each one more
    // costs nearly a request's time.
    function contenders(list, text) {
        const sources = Array.from(new Set(list.map(function (p) { return p.from; })));
        if (sources.length === 1)
            return [list[0]];
        const ranked = guess.rank(text, sources);
        const firstFrom = function (code) { return list.find(function (p) { return p.from === code; }); };
        if (ranked[0].score - ranked[1].score >= sureMargin)
            return [firstFrom(ranked[0].code)];
        const words = (text.match(/\p{L}+/gu) || []).length;
        const count = words <= 2 ? unsureContendersForAWord : unsureContenders;
        return ranked.slice(0, count).map(function (r) { return firstFrom(r.code); });
    }

    // Always with the unknown words marked: the marks are counted where several pairs
    // compete, and taken off the text shown.
    async function translateMarked(pair, text) {
        const answer = await ask("/translate", { langpair: pair.server, q: text, markUnknown: "yes" },
            text.length > longestGet);
        const translated = answer.responseData && answer.responseData.translatedText;
        if (typeof translated !== "string")
            throw new Error("The translation server sent no translation.");
        return translated;
    }

    // Words the pair did not know are marked with *, # or @.
    function unknownWords(translated) {
        return (translated.match(/[*#@](?=[\p{L}\p{N}])/gu) || []).length;
    }

    // The server's own rule for markUnknown=no: it drops the * before a word and
    // keeps # and @, so the text shown is what an unmarked request would give.
    function withoutMarks(translated) {
        return translated.replace(/\*([^.,;:\t* ]+)/g, "$1");
    }

    // One round: every contender asked at once. The answer with the fewest unknown
    // words wins, ties going to the likelier language; a failed request only drops
    // its pair, unless all fail.
    async function translateOnce(list, text) {
        const answers = await Promise.allSettled(list.map(function (p) { return translateMarked(p, text); }));
        let best = -1;
        answers.forEach(function (answer, i) {
            if (answer.status === "fulfilled" &&
                (best < 0 || unknownWords(answer.value) < unknownWords(answers[best].value)))
                best = i;
        });
        if (best < 0)
            throw answers[0].reason;
        return { pair: list[best], text: withoutMarks(answers[best].value) };
    }

    async function translate() {
        const number = ++requestNumber;
        const translation = byId("translation");
        const fromto = byId("fromto");
        translation.textContent = "";
        fromto.textContent = "";
        const box = byId("text");
        const text = box ? box.value : "";
        if (text.trim() === "") {
            setStatus("Nothing to translate.", false);
            return;
        }
        const source = byId("selfrom").value || "auto";
        const target = byId("selto").value || targetFromAddress() || "auto";
        const list = candidates(source, target);
        if (list.length === 0) {
            setStatus("No installed language pair translates " + languages.readableName(source) +
                " into " + languages.readableName(target) + ".", true);
            return;
        }
        setStatus("Translating…", false);
        try {
            const result = await translateOnce(contenders(list, text), text);
            if (number !== requestNumber)
                return;
            // The direction first: whoever sees the result reads it right after.
            fromto.textContent = result.pair.from + " → " + result.pair.to;
            translation.textContent = result.text;
            setStatus("Translated from " + languages.readableName(result.pair.from) + " into " +
                languages.readableName(result.pair.to) + ".", false);
        } catch (error) {
            if (number === requestNumber)
                setStatus(error.message, true);
        }
    }

    byId("version").value = String(config.version || "");
    byId("download").value = String(config.download || "");
    byId("btn").addEventListener("click", translate);
    loadPairs();
})();
