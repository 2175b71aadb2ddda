// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web_band/engine/page_guard.h"

namespace quintara::web_band {
namespace {

// What it uses is taken before the page's scripts run, so that they cannot change it. A download
// starts when a link marked so is activated: by a click that reaches the window (the user's, or a
// script's on a link in the page), or by click() or dispatchEvent() on a link anywhere. A frame
// would give the page a realm of its own, where this script runs only later (the engine runs it as
// a frame's first document is committed, not in the empty one the frame starts with): frames are
// taken out as soon as they are put in, by a script (DOMNodeInserted, at once) or by the parser
// (seen before the page's next script runs), in a shadow root too (before any task of theirs).
constexpr char kGuard[] = R"((function () {
    'use strict';
    const apply = Reflect.apply;
    const defineProperty = Object.defineProperty;
    const describe = Object.getOwnPropertyDescriptor;
    const getter = function (type, name) {
        return describe(type.prototype, name).get;
    };
    // Nothing of WebRTC; no worker, a realm of its own where none of this would run; no way to make
    // a blob, which the engine keeps in the program's own process, past the page's bound (an
    // XMLHttpRequest of a data: address answers with one); and no XSLT processor, whose documents
    // may hold closed shadow roots.
    const gone = ['RTCPeerConnection', 'webkitRTCPeerConnection', 'Worker', 'SharedWorker',
                  'Blob', 'File', 'MediaRecorder', 'ImageCapture', 'ClipboardItem',
                  'XMLHttpRequest', 'XSLTProcessor'];
    for (let at = 0; at < gone.length; ++at) {
        delete window[gone[at]];
    }
    const without = function (type, names) {
        for (let at = 0; type && at < names.length; ++at) {
            delete type.prototype[names[at]];
        }
    };
    without(window.Response, ['blob', 'formData']);
    without(window.Request, ['blob', 'formData']);
    without(window.HTMLCanvasElement, ['toBlob']);
    without(window.OffscreenCanvas, ['convertToBlob']);
    // Nor a state for each entry of its history, which the engine keeps in the program's process.
    const pushState = History.prototype.pushState;
    const replaceState = History.prototype.replaceState;
    History.prototype.pushState = function (state, unused, url) {
        return apply(pushState, this, [null, unused, url]);
    };
    History.prototype.replaceState = function (state, unused, url) {
        return apply(replaceState, this, [null, unused, url]);
    };
    // No other realm either: a window it opens is the link gate's (the page gets none), and a
    // frame's window, made before this script runs there, is never handed to it.
    const open = window.open;
    window.open = function () {
        apply(open, window, arguments);
        return null;
    };
    const none = function () {
        return null;
    };
    const nothingThere = {get: none, configurable: true, enumerable: true};
    const framing = [HTMLIFrameElement, HTMLFrameElement, HTMLObjectElement, HTMLEmbedElement];
    for (let at = 0; at < framing.length; ++at) {
        const type = framing[at].prototype;
        if (describe(type, 'contentWindow')) {
            defineProperty(type, 'contentWindow', nothingThere);
            defineProperty(type, 'contentDocument', nothingThere);
        }
        type.getSVGDocument = none;
    }
    const localName = getter(Element, 'localName');
    const target = getter(Event, 'target');
    const addedNodes = getter(MutationRecord, 'addedNodes');
    const removedNodes = getter(MutationRecord, 'removedNodes');
    const changed = getter(MutationRecord, 'target');
    const listLength = getter(NodeList, 'length');
    const item = NodeList.prototype.item;
    const shadowRoot = getter(Element, 'shadowRoot');
    const hasAttribute = Element.prototype.hasAttribute;
    const removeAttribute = Element.prototype.removeAttribute;
    const remove = Element.prototype.remove;
    const inElement = Element.prototype.querySelectorAll;
    const inFragment = DocumentFragment.prototype.querySelectorAll;
    const composedPath = Event.prototype.composedPath;
    const click = HTMLElement.prototype.click;
    const dispatchEvent = EventTarget.prototype.dispatchEvent;
    const observe = MutationObserver.prototype.observe;
    const attachShadow = Element.prototype.attachShadow;
    const content = getter(HTMLTemplateElement, 'content');
    const markup = describe(Element.prototype, 'innerHTML');
    const ownerDocument = getter(Node, 'ownerDocument');
    const createElement = Document.prototype.createElement;
    const replaceChildren = DocumentFragment.prototype.replaceChildren;
    const parseFromString = DOMParser.prototype.parseFromString;
    const reparsed = new WeakSet();
    const has = WeakSet.prototype.has;
    const add = WeakSet.prototype.add;
    const everything = Object.create(null);
    everything.childList = true;
    everything.subtree = true;
    const nameOf = function (node) {
        try {
            return apply(localName, node, []);
        } catch (notAnElement) {
            return '';
        }
    };
    const noDownload = function (node) {
        const name = nameOf(node);
        if ((name === 'a' || name === 'area') && apply(hasAttribute, node, ['download'])) {
            apply(removeAttribute, node, ['download']);
        }
    };
    const isFrame = function (name) {
        return name === 'iframe' || name === 'frame' || name === 'object' || name === 'embed';
    };
    const removeAll = function (found) {
        for (let at = apply(listLength, found, []) - 1; at >= 0; --at) {
            apply(remove, apply(item, found, [at]), []);
        }
    };
    const noFrames = function (node) {
        const name = nameOf(node);
        if (name !== '') {
            removeAll(apply(inElement, node, ['iframe, frame, object, embed']));
            if (isFrame(name)) {
                apply(remove, node, []);
            }
        }
    };
    // A shadow root's frames, which no selector of the document's reaches, are taken out before
    // anything runs in them: a root a script attached is watched, one the parser attached (the
    // template it came from leaves its host) too, and the host of a closed one goes.
    const settled = function (host) {
        const root = apply(shadowRoot, host, []);
        if (root) {
            watch(root);
            removeAll(apply(inFragment, root, ['iframe, frame, object, embed']));
        } else {
            apply(remove, host, []);
        }
    };
    const frames = new MutationObserver(function (changes) {
        for (let change = 0; change < changes.length; ++change) {
            const added = apply(addedNodes, changes[change], []);
            for (let at = apply(listLength, added, []) - 1; at >= 0; --at) {
                noFrames(apply(item, added, [at]));
            }
            const removed = apply(removedNodes, changes[change], []);
            for (let at = apply(listLength, removed, []) - 1; at >= 0; --at) {
                const node = apply(item, removed, [at]);
                if (nameOf(node) === 'template' && apply(hasAttribute, node, ['shadowroot'])) {
                    settled(apply(changed, changes[change], []));
                }
            }
        }
    });
    const watch = function (node) {
        apply(observe, frames, [node, everything]);
    };
    watch(document);
    window.addEventListener('DOMNodeInserted', function (event) {
        noFrames(apply(target, event, []));
    }, true);
    Element.prototype.attachShadow = function (init) {
        const root = apply(attachShadow, this, [init]);
        watch(root);
        return root;
    };
    // Closed shadow roots parsed elsewhere, in a template or by a parser of the page's, would come
    // in whole: the page gets a template's content as parsed again from its markup (where they
    // are plain templates), and a parser that makes none.
    defineProperty(HTMLTemplateElement.prototype, 'content', {configurable: true, enumerable: true,
        get: function () {
            const held = apply(content, this, []);
            if (!apply(has, reparsed, [held])) {
                apply(add, reparsed, [held]);
                const again = apply(createElement, apply(ownerDocument, this, []), ['template']);
                apply(markup.set, again, [apply(markup.get, this, [])]);
                apply(replaceChildren, held, [apply(content, again, [])]);
            }
            return held;
        }});
    DOMParser.prototype.parseFromString = function (text, type) {
        return apply(parseFromString, this, [text, type]);
    };
    window.addEventListener('click', function (event) {
        const path = apply(composedPath, event, []);
        for (let at = 0; at < path.length; ++at) {
            noDownload(path[at]);
        }
    }, true);
    HTMLElement.prototype.click = function () {
        noDownload(this);
        return apply(click, this, []);
    };
    EventTarget.prototype.dispatchEvent = function (event) {
        noDownload(this);
        return apply(dispatchEvent, this, [event]);
    };
})();)";

}  // namespace

QWebEngineScript pageGuard() {
    QWebEngineScript guard;
    guard.setName(QStringLiteral("quintara-page-guard"));
    guard.setSourceCode(QString::fromLatin1(kGuard));
    guard.setInjectionPoint(QWebEngineScript::DocumentCreation);
    guard.setWorldId(QWebEngineScript::MainWorld);
    guard.setRunsOnSubFrames(true);
    return guard;
}

}  // namespace quintara::web_band
