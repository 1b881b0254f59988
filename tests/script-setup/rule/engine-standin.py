# Runs generated rule scripts under a stand-in of the server's script engine:
# its functions record what the script asks for; timers run on a fake clock.
# Argument: the folder of the golden scripts.
import os, sys, tempfile

class Obj:
    def __init__(self, engine, name): self.engine, self.name = engine, name
    def activate_on_state_changes(self, cb): self.engine.handlers.append(cb)
    activate_on_changes = activate_on_state_changes
    def state(self, key): return "Red"
    def parent(self): return {"name": "rule"}
    def __getattr__(self, method):
        return lambda *args: self.engine.log.append(("call", self.name, method) + args)

class Engine:
    def __init__(self, path):
        self.now, self.timers, self.log, self.handlers = 0, [], [], []
        self.shots, self.stats = tempfile.mkdtemp(), {"run_count": 0}
        values = {"system_wide_options": {"screenshots_folder": self.shots},
                  "archive": {"prebuffer": 0}}
        record = lambda *entry: self.log.append(entry)

        def archive_export(server, channel, filename, t1, t2, options, cb):
            record("export", server, channel, filename)
            open(filename, "wb").close()
            self.timeout(2000, lambda: cb(3))

        def screenshot_v2(channel, filename, folder, timestamp):
            record("screenshot", channel, timestamp)
            open(os.path.join(folder, filename), "wb").close()

        report = type("Report", (), {"zipped_report": b"PK report"})
        self.ns = dict(
            activate_on_shortcut=lambda key, cb: self.handlers.append(cb),
            activate_on_events=lambda kind, origin, cb: self.handlers.append(cb),
            settings=lambda path: values.get(path) or Obj(self, path),
            object=lambda name: Obj(self, name), timeout=self.timeout,
            archive_export=archive_export, screenshot_v2=screenshot_v2,
            send_mail_from_account=lambda *args: record("mail", *args),
            generate_pos_report=lambda kind, start, to, cb: self.timeout(1000, lambda: cb(report)),
            alert=lambda text: record("alert", text), message=lambda text: record("message", text),
            object_add=lambda o: self.handlers.append(lambda: o.run_method("run", [])),
            stats=lambda: Obj(self, "stats"), host=type("Host", (), {"stats": lambda h: self.stats})(),
            script_guid="{r}", VMSObject=type("VMSObject", (), {
                "__init__": lambda o, name: None, "set_name": lambda o, name: None,
                "set_guid": lambda o, guid: None}))
        exec(compile(open(path, encoding="utf-8").read(), path, "exec"), self.ns)
        self.ns["decode"] = lambda s: s  # the engine's strings are byte strings
        self.ns["play_sound"] = lambda f: record("sound", f)

    def timeout(self, ms, fn): self.timers.append((self.now + ms, len(self.timers), fn))

    def run_clock(self):
        while self.timers:
            self.timers.sort(key=lambda t: t[:2])
            self.now, _, fn = self.timers.pop(0)
            fn()
            del fn  # the last reference to the task locker may go with it

def check(condition, what):
    if not condition:
        sys.exit("FAILED: " + what)

def engine(name):
    e = Engine(os.path.join(sys.argv[1], name))
    e.handlers[0]()
    return e

e = engine("example-wait-sound.py")
e.handlers[0]()  # while the first run waits
check(e.ns["lock"] and e.log == [] and e.stats["run_count"] == 1, "second activation ignored")
e.run_clock()
check(e.log == [("sound", "bell.wav")] and e.now == 5000, "sound once, after 5 s: %r" % e.log)
check(e.ns["lock"] is False, "task locker released at the end")

e = engine("example-export-email.py")
e.handlers[0]()
e.run_clock()
exported = os.path.join(e.shots, os.listdir(e.shots)[0])
check(e.log == [("export", "DEMO", "{ch}", exported),
                ("mail", "acc1", ["a@b.c"], "Video", "Exported", [exported])],
      "one export, then one mail with the exported file: %r" % e.log)
check(e.ns["lock"] is False, "export chain releases the locker")

e = engine("example-screenshots-email.py")
e.run_clock()
check([x[0] for x in e.log] == ["screenshot", "screenshot", "mail"], "order: %r" % e.log)
check(len(e.log[2][5]) == 2 and all(os.path.exists(f) for f in e.log[2][5]), "both attached")
check(e.now == 1000 and e.ns["lock"] is False, "mail a second later, locker released")

e = engine("action-report.py")
e.run_clock()
files = os.listdir(e.shots)
check(len(files) == 1 and open(os.path.join(e.shots, files[0]), "rb").read() == b"PK report",
      "report written: %r" % files)

e = engine("activation-action-run.py")
check(e.log == [("call", "Cam 1", "stop")], "action run calls the method: %r" % e.log)
print("all scenarios passed")
