# Compiles every loop script named on the command line and prints, one line
# per file, as JSON: the operator GUI's guid, the shortcut and the guids of
# the order, as Python reads them from their literals.
import ast, json, sys
for path in sys.argv[1:]:
    source = open(path, encoding='utf-8').read()
    compile(source, path, 'exec')
    tree = ast.parse(source)
    shortcut = [n.args[0].value for n in ast.walk(tree) if isinstance(n, ast.Call)
                and getattr(n.func, 'id', '') == 'activate_on_shortcut']
    order = ast.literal_eval(tree.body[1].value)
    print(json.dumps([tree.body[0].value.args[0].value] + shortcut + [e[0] for e in order]))
