# Runs generated rule scripts under a stand-in of the server's script engine:
# the engine's functions record what the script asks for, timers run on a
# fake clock. Argument: the folder of the golden scripts.
import os, sys, tempfile

class Engine:
    def __init__(self, path):
        self.now, self.timers, self.log, self.handlers = 0, [], [], []
        self.shots = tempfile.mkdtemp()
        self.stats = {"run_count": 0}
        engine = self

        class Obj:
            def __init__(self, name): self.name = name
            def activate_on_state_changes(self, cb): engine.handlers.append(cb)
            def activate_on_changes(self, cb): engine.handlers.append(cb)
            def state(self, key): return "Red"
            def __getattr__(self, method):
                return lambda *args: engine.log.append(("call", self.name, method) + args)

        class Host:
            def stats(self): return engine.stats

        class VMSObject:
            def __init__(self, name): self.name = name
            def set_name(self, name): pass
            def set_guid(self, guid): pass

        def settings(path):
            values = {"system_wide_options": {"screenshots_folder": self.shots},
                      "archive": {"prebuffer": 0}}
            return Obj(path) if path not in values else values[path]

        def timeout(ms, fn): self.timers.append((self.now + ms, len(self.log), fn))

        def archive_export(server, channel, filename, t1, t2, options, cb):
            self.log.append(("export", server, channel, filename))
            open(filename, "wb").close()
            timeout(2000, lambda: cb(3))

        def screenshot_v2(channel, filename, folder, timestamp):
            self.log.append(("screenshot", channel, timestamp))
            open(os.path.join(folder, filename), "wb").close()

        class Report:
            zipped_report = b"PK report"

        self.ns = dict(
            activate_on_shortcut=lambda key, cb: self.handlers.append(cb),
            activate_on_events=lambda kind, origin, cb: self.handlers.append(cb),
            settings=settings, object=Obj, timeout=timeout, archive_export=archive_export,
            screenshot_v2=screenshot_v2, host=Host(), VMSObject=VMSObject, script_guid="{r}",
            send_mail_from_account=lambda *args: self.log.append(("mail",) + args),
            generate_pos_report=lambda kind, start, to, cb: timeout(1000, lambda: cb(Report())),
            alert=lambda text: self.log.append(("alert", text)),
            message=lambda text: self.log.append(("message", text)),
            object_add=lambda o: self.handlers.append(lambda: o.run_method("run", [])),
            stats=lambda: Obj("stats"))
        self.ns["stats"] = lambda: type("S", (), {"parent": lambda s: {"name": "rule"}})()
        exec(compile(open(path, encoding="utf-8").read(), path, "exec"), self.ns)
        # The engine's strings are byte strings; Python 3's are not.
        self.ns["decode"] = lambda s: s
        self.ns["play_sound"] = lambda f: self.log.append(("sound", f))

    def fire(self): self.handlers[0]()

    def run_clock(self):
        while self.timers:
            self.timers.sort(key=lambda t: t[:2])
            self.now, _, fn = self.timers.pop(0)
            fn()
            del fn

def check(condition, what):
    if not condition:
        sys.exit("FAILED: " + what)

folder = sys.argv[1]

e = Engine(os.path.join(folder, "example-wait-sound.py"))
e.fire()
e.fire()  # while the first run waits
check(e.ns["lock"] and e.log == [] and e.stats["run_count"] == 1, "second activation ignored")
e.run_clock()
check(e.log == [("sound", "bell.wav")] and e.now == 5000, "sound once, after 5 s: %r" % e.log)
check(e.ns["lock"] is False, "task locker released at the end")
e.fire()
check(e.stats["run_count"] == 2, "runs again once released")

e = Engine(os.path.join(folder, "example-export-email.py"))
e.fire()
e.fire()
e.run_clock()
exports = [x for x in e.log if x[0] == "export"]
mails = [x for x in e.log if x[0] == "mail"]
check(len(exports) == 1 and exports[0][1:3] == ("DEMO", "{ch}"), "one export: %r" % e.log)
check(len(mails) == 1 and mails[0][1:5] == ("acc1", ["a@b.c"], "Video", "Exported"),
      "one mail: %r" % e.log)
check(mails[0][5] == [exports[0][3]] and os.path.exists(exports[0][3]), "export attached")
check(e.log.index(mails[0]) > e.log.index(exports[0]), "mail after the export")
check(e.ns["lock"] is False, "export chain releases the locker")

e = Engine(os.path.join(folder, "example-screenshots-email.py"))
e.fire()
e.run_clock()
check([x[0] for x in e.log] == ["screenshot", "screenshot", "mail"], "order: %r" % e.log)
check(len(e.log[2][5]) == 2 and all(os.path.exists(f) for f in e.log[2][5]), "both attached")
check(e.now == 1000 and e.ns["lock"] is False, "mail a second later, locker released")

e = Engine(os.path.join(folder, "action-report.py"))
e.fire()
e.run_clock()
files = os.listdir(e.shots)
check(len(files) == 1 and open(os.path.join(e.shots, files[0]), "rb").read() == b"PK report",
      "report written: %r" % files)

e = Engine(os.path.join(folder, "activation-action-run.py"))
e.fire()
check(e.log == [("call", "Cam 1", "stop")], "action run calls the method: %r" % e.log)
print("all scenarios passed")
