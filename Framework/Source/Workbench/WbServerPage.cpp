#include "WbServerPage.h"

const char* ServerPageHtml() {
  return R"HTML(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>nuv-workbench</title>
<style>
  body { margin: 0; font: 13px/1.4 system-ui, sans-serif; background: #e8eaed; color: #202124; }
  header { padding: 6px 12px; background: #3c4043; color: #fff; display: flex; gap: 12px; align-items: center; }
  header h1 { font-size: 15px; margin: 0; flex: 1; }
  header form { display: flex; gap: 4px; }
  header input { width: 260px; font: 12px monospace; }
  main { display: grid; grid-template-columns: minmax(0, 1fr) 380px; gap: 12px; padding: 12px; }
  section { background: #fff; border: 1px solid #c4c7c5; border-radius: 4px; padding: 8px; min-width: 0; }
  h2 { font-size: 13px; margin: 0 0 6px; }
  #message { min-height: 1.4em; margin: 0 12px; color: #b3261e; }
  #message.ok { color: #1e6b35; }
  #window [data-command] { cursor: pointer; }
  #window [data-command]:hover { outline: 1px dashed #1a73e8; }
  table { border-collapse: collapse; width: 100%; }
  td { padding: 2px 4px; border-bottom: 1px solid #eee; vertical-align: middle; }
  td.type { color: #5f6368; font-size: 11px; }
  td input { width: 100%; box-sizing: border-box; font: 12px monospace; }
  #events { list-style: none; margin: 0; padding: 0; max-height: 360px; overflow: auto; font: 11px monospace; }
  #events li { padding: 1px 2px; border-bottom: 1px solid #f1f3f4; overflow-wrap: anywhere; }
  #events b { display: inline-block; min-width: 5.5em; }
  #events .ev-error b { color: #b3261e; }
  #events .ev-command b, #events .ev-click b { color: #1a73e8; }
</style>
</head>
<body>
<header>
  <h1 id="title">nuv-workbench</h1>
  <form id="command-form"><input id="command" placeholder="show WS VP, hide WS VP, click VP ..." aria-label="command"><button>Run</button></form>
</header>
<p id="message" role="status"></p>
<main>
  <section><h2>Window</h2><div id="window"></div></section>
  <div>
    <section><h2>Data keys</h2><table id="keys"></table></section>
    <section><h2>Events</h2><ol id="events"></ol></section>
  </div>
</main>
<script>
"use strict";
const $ = (id) => document.getElementById(id);

async function api(path, body) {
  const init = body === undefined ? {} :
    { method: "POST", headers: { "Content-Type": "application/json" }, body: JSON.stringify(body) };
  const response = await fetch(path, init);
  const data = await response.json();
  if (!response.ok) throw new Error(data.error || response.statusText);
  return data;
}

function say(text, ok) {
  $("message").textContent = text;
  $("message").className = ok ? "ok" : "";
}

function eventItem(event) {
  const item = document.createElement("li");
  item.className = "ev-" + event.event;
  const name = document.createElement("b");
  name.textContent = event.event;
  const rest = Object.assign({}, event);
  delete rest.event;
  if (event.event === "dump") rest.window = "...";
  item.append(name, " " + JSON.stringify(rest));
  return item;
}

function valueText(key) {
  if (key.type === "boolean") return key.value ? "True" : "False";
  return String(key.value);
}

function keyRow(key) {
  const row = document.createElement("tr");
  const name = document.createElement("td");
  name.textContent = key.key;
  const type = document.createElement("td");
  type.className = "type";
  type.textContent = key.type;
  const cell = document.createElement("td");
  const input = document.createElement("input");
  input.value = valueText(key);
  input.dataset.key = key.key;
  input.setAttribute("aria-label", key.key);
  input.addEventListener("change", () => act("/api/key", { key: key.key, value: input.value }, "set " + key.key));
  cell.append(input);
  row.append(name, type, cell);
  return row;
}

async function refresh() {
  const state = await api("/api/state");
  document.title = state.window.Name + " - nuv-workbench";
  $("title").textContent = state.window.Name;
  $("window").innerHTML = state.html;
  $("keys").replaceChildren(...state.keys.map(keyRow));
  const events = $("events");
  events.replaceChildren(...state.events.map(eventItem));
  events.scrollTop = events.scrollHeight;
  document.body.dataset.events = state.events.length;
}

// Every action: send it, say how it went, then show the new state.
async function act(path, body, what) {
  try {
    await api(path, body);
    say(what, true);
  } catch (error) {
    say(error.message, false);
  }
  await refresh();
}

$("window").addEventListener("click", (e) => {
  const target = e.target.closest("[data-command]");
  if (!target) return;
  e.preventDefault();
  act("/api/command", { command: target.dataset.command }, target.dataset.command);
});

$("command-form").addEventListener("submit", (e) => {
  e.preventDefault();
  const command = $("command").value.trim();
  if (command) act("/api/command", { command }, command);
});

refresh().catch((error) => say(error.message, false));
</script>
</body>
</html>
)HTML";
}
